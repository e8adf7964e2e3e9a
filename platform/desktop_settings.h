#pragma once

// What the desktop program remembers between sessions, in the platform's settings store:
// the main window's size and place, the tree's share of its width, the list's column
// widths and order, the recent files and where the file dialogs were left.

#include <string>
#include <vector>

class QSettings;

namespace kestrio::platform {

class MainWindow;
struct FileDialogMemory;

// Puts the window back as it was left; a first start keeps the window's own layout.
void RestoreWindowLayout(QSettings& settings, MainWindow& window);
void SaveWindowLayout(QSettings& settings, const MainWindow& window);

// The recent files (roster bytes, latest first) and the file dialogs' folder and filters.
std::vector<std::string> RestoreRecentFiles(QSettings& settings);
void RestoreFileDialogMemory(QSettings& settings, FileDialogMemory& memory);
void SaveFiles(QSettings& settings, const std::vector<std::string>& recent,
               const FileDialogMemory& memory);

}  // namespace kestrio::platform

#include "platform/text_codec.h"

#include "sheets/text_encoding.h"

namespace kestrio::platform {
namespace {

QString FromWindows1252(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (char c : bytes) {
    // Every code point of the page is in the Basic Multilingual Plane: one QChar each.
    text.append(
        QChar(static_cast<char16_t>(sheets::Windows1252CodePoint(static_cast<unsigned char>(c)))));
  }
  return text;
}

// False when a character has no code in Windows-1252.
bool ToWindows1252(const QString& text, std::string* bytes) {
  bytes->clear();
  bytes->reserve(static_cast<std::size_t>(text.size()));
  for (QChar ch : text) {
    const char16_t u = ch.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      bytes->push_back(static_cast<char>(u));
      continue;
    }
    unsigned char b = 0x80;
    while (b <= 0x9F && sheets::Windows1252CodePoint(b) != u) ++b;
    if (b > 0x9F) return false;
    bytes->push_back(static_cast<char>(b));
  }
  return true;
}

}  // namespace

QString BytesToDisplay(std::string_view bytes) {
  if (sheets::IsValidUtf8(bytes)) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
  }
  return FromWindows1252(bytes);
}

std::string DisplayToBytes(const QString& text) {
  std::string bytes;
  // Some Windows-1252 byte runs happen to be valid UTF-8 ("Ã©" is the UTF-8 of "é"):
  // those would read back as other letters, so they are written as UTF-8 instead.
  if (ToWindows1252(text, &bytes) && BytesToDisplay(bytes) == text) return bytes;
  const QByteArray utf8 = text.toUtf8();
  return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

}  // namespace kestrio::platform

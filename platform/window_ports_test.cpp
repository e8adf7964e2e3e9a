// The window's ports against the widgets they drive: what the session hands over must be
// what the organiser sees, and what the organiser highlights must be what the session
// reads back.

#include <QAbstractButton>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QSignalSpy>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include "base/file_system.h"
#include "platform/control_dialog.h"
#include "platform/main_window.h"
#include "platform/modal_driver.h"
#include "platform/roster_table_model.h"
#include "platform/status_parts.h"
#include "platform/system_dialogs.h"
#include "platform/window_ports.h"
#include "ui/menu_layout.h"

using namespace kestrio::platform;
namespace ku = kestrio::ui;

namespace {

ku::Message Box(std::string text, std::string caption,
                ku::MessageButtons buttons = ku::MessageButtons::Ok,
                ku::MessageIcon icon = ku::MessageIcon::None, bool owned = true) {
  ku::Message m;
  m.text = std::move(text);
  m.caption = std::move(caption);
  m.buttons = buttons;
  m.icon = icon;
  m.owned_by_main_window = owned;
  return m;
}

}  // namespace

class WindowPortsTest : public QObject {
  Q_OBJECT

 private slots:
  void ListRowsAreReadBackAsAppendedAndHighlighted() {
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    ListPaneView list(window);
    list.Clear();
    for (int i = 0; i < 300; ++i) {
      list.AppendRow({"Name" + std::to_string(i), "First", "40.00", "9.00", "1.00",
                      "M\xFC"
                      "nster",
                      "Selected", "40."});
    }
    // Rows not yet on screen are already counted and readable.
    QCOMPARE(list.RowCount(), 300);
    QCOMPARE(list.Row(299)[0], std::string("Name299"));
    list.EnsureVisible(250);
    QCOMPARE(window.ListModel()->rowCount(), 300);
    QVERIFY(list.TopIndex() > 0);
    // Roster bytes show decoded and come back unchanged.
    QCOMPARE(window.ListModel()->index(0, 5).data().toString(), QString::fromUtf8("Münster"));
    QCOMPARE(list.Row(0)[5], std::string("M\xFC"
                                         "nster"));

    QItemSelectionModel* highlight = window.List()->selectionModel();
    for (int row : {7, 2, 40}) {
      highlight->select(window.ListModel()->index(row, 3),
                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    QCOMPARE(list.HighlightedRows(), std::vector<int>({2, 7, 40}));
    // What a refill puts back: the highlight, the cursor (in its column) and the top row.
    highlight->setCurrentIndex(window.ListModel()->index(7, 4), QItemSelectionModel::NoUpdate);
    QCOMPARE(list.CurrentRow(), 7);
    list.SetHighlightedRows({3, 4, 5, 9, 299});
    QCOMPARE(list.HighlightedRows(), std::vector<int>({3, 4, 5, 9, 299}));
    list.SetCurrentRow(120);
    QCOMPARE(window.List()->currentIndex(), window.ListModel()->index(120, 4));
    QCOMPARE(list.HighlightedRows(), std::vector<int>({3, 4, 5, 9, 299}));
    list.ScrollToTop(100);
    QCOMPARE(list.TopIndex(), 100);
    list.SetCurrentRow(-1);
    QCOMPARE(list.CurrentRow(), -1);
    list.Clear();
    QCOMPARE(list.RowCount(), 0);
    QVERIFY(list.HighlightedRows().empty());
    list.EnsureVisible(5);  // out of range: ignored
  }

  void ARowReplacedInPlaceKeepsTheHighlightAndRepaintsOnlyItself() {
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    ListPaneView list(window);
    list.Clear();
    const auto row = [](int i, const char* status) {
      return ku::ListRow{
          "Name" + std::to_string(i), "First", "40.00", "9.00", "1.00", "Rams", status, "40."};
    };
    for (int i = 0; i < 50; ++i) list.AppendRow(row(i, "Selected"));
    // Waiting for the next flush: the new cells are the ones that reach the screen.
    list.ReplaceRow(49, row(49, "Scratched"));
    list.SetHighlightedRows({3, 10});
    list.SetCurrentRow(10);
    QSignalSpy changed(window.ListModel(), &QAbstractItemModel::dataChanged);
    QSignalSpy reset(window.ListModel(), &QAbstractItemModel::modelReset);
    list.ReplaceRow(10, row(10, "UnSelected"));
    list.ReplaceRow(50, row(50, "Selected"));  // out of range: ignored
    list.ReplaceRow(-1, row(0, "Selected"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(reset.count(), 0);
    QCOMPARE(changed[0][0].toModelIndex(), window.ListModel()->index(10, 0));
    QCOMPARE(changed[0][1].toModelIndex(), window.ListModel()->index(10, kListColumns - 1));
    QCOMPARE(window.ListModel()->index(10, 6).data().toString(), QStringLiteral("UnSelected"));
    QCOMPARE(window.ListModel()->index(49, 6).data().toString(), QStringLiteral("Scratched"));
    QCOMPARE(list.RowCount(), 50);
    QCOMPARE(list.HighlightedRows(), std::vector<int>({3, 10}));
    QCOMPARE(list.CurrentRow(), 10);
  }

  void TreeLeavesGoWhereTheyAreTold() {
    MainWindow window;
    TreePaneView tree(window);
    tree.ShowBareTree();
    tree.InsertLeaf(ku::TreeBranch::Club, 0, "Rams");
    tree.InsertLeaf(ku::TreeBranch::Club, 0, "Hawks");
    tree.InsertLeaf(ku::TreeBranch::Age, 0, " 9");
    QTreeWidgetItem* root = window.Tree()->topLevelItem(0);
    QCOMPARE(root->child(0)->child(0)->text(0), QStringLiteral("Hawks"));
    QCOMPARE(root->child(0)->child(1)->text(0), QStringLiteral("Rams"));
    QCOMPARE(root->child(2)->child(0)->text(0), QStringLiteral(" 9"));

    QList<QVariantList> chosen;
    connect(&window, &MainWindow::TreeNodeSelected, this,
            [&chosen](ku::TreeNodeKind kind, int branch, const QString& label) {
              chosen.append({static_cast<int>(kind), branch, label});
            });
    window.Tree()->setCurrentItem(root->child(0)->child(1));
    window.Tree()->setCurrentItem(root->child(2));
    window.Tree()->setCurrentItem(root);
    QCOMPARE(chosen.size(), 3);
    QCOMPARE(chosen[0], QVariantList({2, 0, QStringLiteral("Rams")}));
    QCOMPARE(chosen[1], QVariantList({1, 2, QStringLiteral("By Age")}));
    QCOMPARE(chosen[2], QVariantList({0, -1, QStringLiteral("Kestrio Info")}));
    // A rebuild leaves no node selected and says nothing.
    tree.ShowBareTree();
    QCOMPARE(chosen.size(), 3);
    QCOMPARE(window.Tree()->topLevelItem(0)->child(0)->childCount(), 0);
  }

  void MenuStatesFollowCommandsAndSubmenusTheirItems() {
    MainWindow window;
    MenuView menus(window);
    ku::MenuState state;
    for (int command : {ku::kCmdViewSummary, ku::kCmdViewByClub, ku::kCmdViewByBoutNumber}) {
      state.SetEnabled(command, false);  // "Pairing Results" and its items
    }
    state.SetEnabled(ku::kCmdSaveDisplayData, false);
    state.SetEnabled(ku::kCmdTagDuplicates, false);
    menus.Apply(state);
    QVERIFY(!window.TopMenu(4)->actions().at(0)->isEnabled());
    QVERIFY(window.TopMenu(4)->actions().at(1)->isEnabled());
    state.SetEnabled(ku::kCmdViewByClub, true);
    menus.Apply(state);
    QVERIFY(window.TopMenu(4)->actions().at(0)->isEnabled());
    QVERIFY(window.CommandAction(ku::kCmdViewByClub)->isEnabled());
    QVERIFY(!window.CommandAction(ku::kCmdViewSummary)->isEnabled());
    QVERIFY(!window.CommandAction(ku::kCmdSaveDisplayData)->isEnabled());
    QVERIFY(!window.CommandAction(ku::kCmdTagDuplicates)->isEnabled());
    QVERIFY(window.CommandAction(ku::kCmdEmptyTrash)->isEnabled());
    QVERIFY(!window.CommandAction(ku::kCmdOnlineManual)->isEnabled());
    menus.SetStatusBarChecked(false);
    QVERIFY(!window.CommandAction(ku::kCmdStatusBar)->isChecked());
  }

  void StatusPartsAndProgress() {
    MainWindow window;
    StatusBarView status(window);
    status.SetPartText(ku::kGuidancePart, "Load participants");
    status.SetPartText(ku::kStatsPart, "Stats:     0 Entries;");
    QCOMPARE(window.StatusPart(0), QStringLiteral("Load participants"));
    // The blanks between the counts are part of the text.
    QCOMPARE(window.StatusPart(2), QStringLiteral("Stats:     0 Entries;"));

    window.resize(800, 600);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QSize list = window.List()->size();
    ProgressView progress(window);
    progress.Show();
    progress.SetRange(0, 4);
    for (int i = 0; i < 6; ++i) progress.Step();
    QCOMPARE(window.Progress()->value(), 4);
    QVERIFY(window.Progress()->isVisible());
    // Across the bottom of the panes, over them: the list keeps its size (making room
    // would lay out and paint every visible cell again), also as the window grows.
    const QWidget* central = window.centralWidget();
    QCOMPARE(window.Progress()->geometry().bottom(), central->rect().bottom());
    QCOMPARE(window.Progress()->width(), central->width());
    QCOMPARE(window.List()->size(), list);
    window.resize(900, 650);
    QCoreApplication::processEvents();
    QCOMPARE(window.Progress()->geometry().bottom(), central->rect().bottom());
    QCOMPARE(window.Progress()->width(), central->width());
    progress.Hide();
    QVERIFY(!window.Progress()->isVisible());
  }

  // The statistics keep every character, whatever the counts, at every width the window
  // may have, with the guidance and the hint crowding them; also in a font whose letters
  // are fractions of a pixel wide (measured rounded down, "0 Known Duplicates;" once
  // lost its last word to "...").
  // The list's cells measure as the plain delegate measures them, also after the font
  // grew: a size kept from the smaller font would leave the columns too narrow.
  void CellSizesFollowTheFont() {
    MainWindow window;
    ListPaneView list(window);
    list.AppendRow({"Abernathy-Featherstonehaugh", "Christopher", "63.50", "11.00", "2.50",
                    "Riverside", "Selected", "64"});
    list.AppendRow({"Li", "Bo", "63.50", "11.00", "2.50", "Riverside", "", "64"});
    window.ListModel()->Flush();
    QTableView* view = window.List();
    QStyledItemDelegate plain;
    QStyleOptionViewItem option;
    option.initFrom(view);
    for (int size : {9, 20}) {
      QFont font = view->font();
      font.setPointSize(size);
      option.font = font;
      for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 8; ++column) {
          const QModelIndex index = window.ListModel()->index(row, column);
          QCOMPARE(view->itemDelegate()->sizeHint(option, index), plain.sizeHint(option, index));
        }
      }
    }
  }

  void StatusStatisticsAreNeverCut() {
    StatusParts parts;
    QFont font = parts.font();
    font.setHintingPreference(QFont::PreferNoHinting);
    parts.setFont(font);
    parts.SetGuidanceWidth(310);
    parts.SetText(0, QStringLiteral("Load/Select More or Execute Pairing"));
    parts.SetText(1, QStringLiteral("Run Tandrel is greyed until Tandrel > Save Project Data"));
    parts.show();
    int cut = 0;
    for (qreal points = 8; points <= 11; points += 0.25) {
      font.setPointSizeF(points);
      parts.setFont(font);
      for (int n : {0, 7, 48, 160, 1234}) {
        const QString stats =
            QStringLiteral(
                "Stats:     %1 Entries;     %2 Displayed;     %3 Selected;     %4 "
                "Unassigned;     0 Deleted;     0 Known Duplicates;")
                .arg(n + 12)
                .arg(n)
                .arg(n / 2)
                .arg(n % 10);
        parts.SetText(2, stats);
        for (int width : {parts.minimumSizeHint().width(), 900, 1200}) {
          parts.resize(width, 24);
          if (parts.ShownText(2) != stats) ++cut;
        }
      }
    }
    QCOMPARE(cut, 0);
    // The guidance and the hint give way, and show whole in the tooltip.
    parts.resize(parts.minimumSizeHint().width(), 24);
    QVERIFY(parts.ShownText(1) != parts.Text(1));
    QVERIFY(parts.toolTip().contains(parts.Text(1)));
  }

  void MessageBoxesShowTheTextsAndMapTheButtons() {
    MainWindow window;
    MessageBoxes boxes(&window);
    const ku::Message save =
        Box("Save file?", "Kestrio", ku::MessageButtons::YesNoCancel, ku::MessageIcon::Question);
    QString caption;
    WhenModalAppears([&caption](QWidget* modal) {
      caption = modal->windowTitle();
      QTest::keyClick(modal, Qt::Key_Escape);
    });
    QCOMPARE(boxes.Show(save), ku::MessageAnswer::Cancel);
    QCOMPARE(caption, QStringLiteral("Kestrio"));
    AnswerNextMessage(QMessageBox::No);
    QCOMPARE(boxes.Show(save), ku::MessageAnswer::No);

    // Texts are shown as they are, never read as markup.
    const ku::Message odd = Box("<b>Hawks</b> & Rams", "Warning", ku::MessageButtons::Ok,
                                ku::MessageIcon::Exclamation, false);
    WhenModalAppears([](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      QCOMPARE(box->textFormat(), Qt::PlainText);
      QCOMPARE(box->icon(), QMessageBox::Warning);
      QVERIFY(box->parentWidget() == nullptr);
      box->button(QMessageBox::Ok)->click();
    });
    QCOMPARE(boxes.Show(odd), ku::MessageAnswer::Ok);

    // "Are you sure?": Escape means No. A long title is never cut by a narrow box.
    const ku::Message sure =
        Box("Are you sure? Age 150 is outside the usual 3 to 20.",
            "Warning: unable to open Tandrel-PairingBoutsheets.txt for writing!",
            ku::MessageButtons::YesNo, ku::MessageIcon::Question);
    int box_width = 0;
    int title_width = 0;
    WhenModalAppears([&](QWidget* modal) {
      box_width = modal->width();
      title_width = modal->fontMetrics().horizontalAdvance(modal->windowTitle());
      QTest::keyClick(modal, Qt::Key_Escape);
    });
    QCOMPARE(boxes.Show(sure), ku::MessageAnswer::No);
    QVERIFY2(box_width > title_width + 100, qPrintable(QString::number(box_width)));

    // An extra button answers Action.
    ku::Message done = Box("Bout Pairing Completed Successfully!", "Kestrio Bout Pairing");
    done.action_button = "Show Pairing Exceptions";
    WhenModalAppears([](QWidget* modal) {
      for (QAbstractButton* button : modal->findChildren<QAbstractButton*>()) {
        if (button->text() == QStringLiteral("Show Pairing Exceptions")) button->click();
      }
    });
    QCOMPARE(boxes.Show(done), ku::MessageAnswer::Action);
  }

  // "3.5" stays "3.5" on the screen, turns red, and OK refuses it with the focus on it,
  // instead of the point being swallowed and the bouts becoming 35.
  void DigitsOnlyFieldsShowWhatWasTypedAndRefuseIt() {
    MainWindow window;
    kestrio::pairing::PairingControl control;
    kestrio::RealFileSystem fs;
    MessageBoxes boxes(&window);
    ku::ControlParametersForm form(control, fs, boxes);
    ControlDialog dialog(form, &window);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QLineEdit* bouts = dialog.MaxBoutsEdit();
    bouts->clear();
    QTest::keyClicks(bouts, QStringLiteral("3.5"));
    QCOMPARE(bouts->text(), QStringLiteral("3.5"));
    QCOMPARE(bouts->palette().color(QPalette::Text), QColor(Qt::red));
    QString refused;
    AnswerNextMessage(QMessageBox::Ok, &refused);
    dialog.WeightEdit()->setFocus();
    dialog.PressOk();
    QCOMPARE(refused, QStringLiteral("Error Interpreting Max. Bouts Limit"));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.focusWidget(), bouts);
    QCOMPARE(control.MaxBoutsAllowed, 4);
    bouts->setText(QStringLiteral("3"));
    QVERIFY(bouts->palette().color(QPalette::Text) != QColor(Qt::red));
    QLineEdit* weight = dialog.WeightEdit();
    weight->clear();
    QTest::keyClicks(weight, QStringLiteral("-1.5"));
    QCOMPARE(weight->text(), QStringLiteral("-1.5"));
  }
};

QTEST_MAIN(WindowPortsTest)
#include "window_ports_test.moc"

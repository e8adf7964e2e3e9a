#include <QTest>

#include "platform/text_codec.h"

using kestrio::platform::BytesToDisplay;
using kestrio::platform::DisplayToBytes;

class TextCodecTest : public QObject {
  Q_OBJECT

 private slots:
  void ReadsUtf8AndFallsBackToWindows1252() {
    QCOMPARE(BytesToDisplay("M\xC3\xBCller"), QString::fromUtf8("Müller"));
    QCOMPARE(BytesToDisplay("M\xFCller"), QString::fromUtf8("Müller"));
    // The euro sign and curly quotes live in the 0x80..0x9F block of the code page.
    QCOMPARE(BytesToDisplay("\x80 \x93Hawks\x94"), QString::fromUtf8("€ “Hawks”"));
    // A UTF-8 sequence cut short at the end is not UTF-8.
    QCOMPARE(BytesToDisplay("Jos\xC3"), QString::fromUtf8("JosÃ"));
    // Overlong and surrogate forms are refused as UTF-8 too.
    QCOMPARE(BytesToDisplay("\xC0\xAF").size(), 2);
    QCOMPARE(BytesToDisplay("\xED\xA0\x80").size(), 3);
    QCOMPARE(BytesToDisplay(std::string_view("a\0b", 3)).size(), 3);
  }

  void WritesWindows1252WhenItRoundTrips() {
    QCOMPARE(DisplayToBytes(QStringLiteral("Smith")), std::string("Smith"));
    QCOMPARE(DisplayToBytes(QString::fromUtf8("Müller")), std::string("M\xFCller"));
    QCOMPARE(DisplayToBytes(QString::fromUtf8("€")), std::string("\x80"));
    // Not in the code page: the whole text goes out as UTF-8.
    QCOMPARE(DisplayToBytes(QString::fromUtf8("Łukasz")), std::string("\xC5\x81ukasz"));
    // "Ã©" in the code page is the UTF-8 of "é": it would read back wrong.
    QCOMPARE(DisplayToBytes(QString::fromUtf8("Ã©")), std::string("\xC3\x83\xC2\xA9"));
  }

  void EveryByteSurvivesTheRoundTrip() {
    for (int b = 0; b < 256; ++b) {
      const std::string one(1, static_cast<char>(b));
      QCOMPARE(DisplayToBytes(BytesToDisplay(one)), one);
    }
    for (const char* typed : {"Zoë", "Ñandú", "Ã©", "日本", "Œuvre – “x”", "\xC2\x81"}) {
      const QString text = QString::fromUtf8(typed);
      QCOMPARE(BytesToDisplay(DisplayToBytes(text)), text);
    }
  }
};

QTEST_GUILESS_MAIN(TextCodecTest)
#include "text_codec_test.moc"

#include "widgets/NumberText.h"

#include <QLocale>
#include <QTest>

#include <optional>

using namespace korvent::widgets;

Q_DECLARE_METATYPE(korvent::widgets::TRoundMode)
Q_DECLARE_METATYPE(korvent::widgets::TNumberType)

namespace {

TNumberFormat Decimal(int figure = -1, TRoundMode mode = TRoundMode::rmDown) {
    TNumberFormat format;
    format.Figure = figure;
    format.RoundMode = mode;
    return format;
}

}  // namespace

class NumberTextTest : public QObject {
    Q_OBJECT

private slots:
    void plainFloatText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("negative exponent") << -1.5e-5 << "-0.000015";
        QTest::newRow("positive exponent") << 1e20 << "100000000000000000000";
        QTest::newRow("15 significant digits") << 1.0 / 3.0 << "0.333333333333333";
        QTest::newRow("binary noise removed") << 0.1 + 0.2 << "0.3";
        QTest::newRow("plain") << 1234567.891 << "1234567.891";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("tiny") << 1.25e-10 << "0.000000000125";
    }
    void plainFloatText() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(PlainFloatText(value, u'.'), text);
    }

    void plainFloatTextUsesTheGivenSeparator() {
        QCOMPARE(PlainFloatText(-2.5L, u','), QStringLiteral("-2,5"));
    }

    void roundToFigure_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("figure");
        QTest::addColumn<TRoundMode>("mode");
        QTest::addColumn<QString>("rounded");
        QTest::newRow("round half up") << "1.005" << 2 << TRoundMode::rmRound << "1.01";
        QTest::newRow("down cuts") << "1.005" << 2 << TRoundMode::rmDown << "1.00";
        QTest::newRow("up on any digit") << "1.001" << 2 << TRoundMode::rmUp << "1.01";
        QTest::newRow("up on zeros only") << "1.000" << 2 << TRoundMode::rmUp << "1.00";
        QTest::newRow("carry into negative") << "-1.96" << 1 << TRoundMode::rmRound << "-2.0";
        QTest::newRow("carry adds a digit") << "9.96" << 1 << TRoundMode::rmRound << "10.0";
        QTest::newRow("carry through nines") << "999.995" << 2 << TRoundMode::rmRound << "1000.00";
        QTest::newRow("negative zero moves") << "-0.5" << 0 << TRoundMode::rmUp << "-1.";
        QTest::newRow("figure 0 keeps separator") << "1.5" << 0 << TRoundMode::rmRound << "2.";
        QTest::newRow("empty integer part") << ".95" << 1 << TRoundMode::rmRound << "1.0";
        QTest::newRow("whole number") << "7" << 2 << TRoundMode::rmRound << "7";
        QTest::newRow("fewer decimals") << "1.5" << 3 << TRoundMode::rmUp << "1.5";
        QTest::newRow("negative figure") << "1.56789" << -1 << TRoundMode::rmRound << "1.56789";
        QTest::newRow("trailing separator") << "12." << 2 << TRoundMode::rmRound << "12.";
        QTest::newRow("grouping removed") << "1,234.567" << 2 << TRoundMode::rmDown << "1234.56";
        QTest::newRow("beyond 32 bits")
            << "99999999999.995" << 2 << TRoundMode::rmRound << "100000000000.00";
        QTest::newRow("round keeps sign") << "+4.5" << 0 << TRoundMode::rmRound << "+5.";
    }
    void roundToFigure() {
        QFETCH(QString, text);
        QFETCH(int, figure);
        QFETCH(TRoundMode, mode);
        QFETCH(QString, rounded);
        QCOMPARE(RoundToFigure(text, figure, mode, {}), rounded);
    }

    void parseText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<TNumberType>("type");
        QTest::addColumn<bool>("validMinus");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("value");
        const auto dec = TNumberType::ntDecimal;
        const auto hex = TNumberType::ntHex;
        QTest::newRow("empty") << "" << dec << false << true << 0.0;
        QTest::newRow("lone minus") << "-" << dec << false << true << 0.0;
        QTest::newRow("lone separator") << "." << dec << false << true << 0.0;
        QTest::newRow("minus separator") << "-." << dec << false << true << 0.0;
        QTest::newRow("grouped") << "-1,234.5" << dec << false << true << -1234.5;
        QTest::newRow("plus sign") << "+12" << dec << false << true << 12.0;
        QTest::newRow("beyond 64 bits")
            << "123456789012345678901" << dec << false << true << 123456789012345678901.0;
        QTest::newRow("letters") << "12abc" << dec << false << false << 0.0;
        QTest::newRow("two separators") << "1.2.3" << dec << false << false << 0.0;
        QTest::newRow("hex") << "ff" << hex << false << true << 255.0;
        QTest::newRow("hex 32-bit wraps") << "FFFFFFFF" << hex << false << true << -1.0;
        QTest::newRow("hex leading zeros") << "000000000FF" << hex << false << true << 255.0;
        QTest::newRow("hex too long") << "1FFFFFFFF" << hex << false << false << 0.0;
        QTest::newRow("hex minus refused") << "-FF" << hex << false << false << 0.0;
        QTest::newRow("hex valid minus") << "-FF" << hex << true << true << -255.0;
        QTest::newRow("hex 64-bit") << "1FFFFFFFF" << hex << true << true << 8589934591.0;
        QTest::newRow("hex not hex") << "FG" << hex << true << false << 0.0;
    }
    void parseText() {
        QFETCH(QString, text);
        QFETCH(TNumberType, type);
        QFETCH(bool, validMinus);
        QFETCH(bool, valid);
        QFETCH(double, value);
        TNumberFormat format;
        format.NumberType = type;
        format.ValidMinus = validMinus;
        const std::optional<long double> parsed = ParseText(text, format);
        QCOMPARE(parsed.has_value(), valid);
        if (valid) {
            QCOMPARE(static_cast<double>(*parsed), value);
        }
    }

    void parseTextCleansInPlace() {
        QString text = QStringLiteral("1,234\t.5");
        QCOMPARE(static_cast<double>(ParseText(text, TNumberFormat{}).value()), 1234.5);
        QCOMPARE(text, QStringLiteral("1234.5"));
    }

    void formatValue_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("figure");
        QTest::addColumn<TRoundMode>("mode");
        QTest::addColumn<bool>("fixed");
        QTest::addColumn<bool>("comma");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("shown");
        const auto down = TRoundMode::rmDown;
        const auto round = TRoundMode::rmRound;
        QTest::newRow("round") << 1.005 << 2 << round << false << false << ""
                               << "1.01" << 1.01;
        QTest::newRow("down keeps zeros") << 1.005 << 2 << down << false << false << ""
                                          << "1.00" << 1.0;
        QTest::newRow("whole stays") << 7.0 << 2 << round << false << false << ""
                                     << "7" << 7.0;
        QTest::newRow("whole fixed") << 7.0 << 2 << round << true << false << ""
                                     << "7.00" << 7.0;
        QTest::newRow("fixed pads") << 1.2 << 3 << round << true << false << ""
                                    << "1.200" << 1.2;
        QTest::newRow("fixed 0 rounds") << 3.7 << 0 << round << true << false << ""
                                        << "4" << 4.0;
        QTest::newRow("fixed 0 cuts") << 3.7 << 0 << down << true << false << ""
                                      << "3" << 3.0;
        QTest::newRow("figure 0 unfixed") << 3.7 << 0 << round << false << false << ""
                                          << "4" << 4.0;
        QTest::newRow("negative carry") << -1.96 << 1 << round << false << false << ""
                                        << "-2.0" << -2.0;
        QTest::newRow("comma") << 1234567.0 << -1 << down << false << true << ""
                               << "1,234,567" << 1234567.0;
        QTest::newRow("comma decimals") << -1234567.5 << -1 << down << false << true << ""
                                        << "-1,234,567.5" << -1234567.5;
        QTest::newRow("comma negative zero") << -0.5 << -1 << down << false << true << ""
                                             << "-0.5" << -0.5;
        QTest::newRow("comma beyond 32 bits") << 12345678901.0 << -1 << down << false << true << ""
                                              << "12,345,678,901" << 12345678901.0;
        QTest::newRow("comma fixed") << 1234.5 << 2 << down << true << true << ""
                                     << "1,234.50" << 1234.5;
        QTest::newRow("plus kept") << 5.0 << -1 << down << false << false << "+5"
                                   << "+5" << 5.0;
        QTest::newRow("plus not on negative") << -3.0 << -1 << down << false << false << "+5"
                                              << "-3" << -3.0;
    }
    void formatValue() {
        QFETCH(double, value);
        QFETCH(int, figure);
        QFETCH(TRoundMode, mode);
        QFETCH(bool, fixed);
        QFETCH(bool, comma);
        QFETCH(QString, current);
        QFETCH(QString, text);
        QFETCH(double, shown);
        TNumberFormat format = Decimal(figure, mode);
        format.Fixed = fixed;
        format.Comma = comma;
        const TFormattedValue formatted = FormatValue(value, current, format);
        QCOMPARE(formatted.Text, text);
        QCOMPARE(static_cast<double>(formatted.Value), shown);
    }

    void formatValueHex_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("figure");
        QTest::addColumn<bool>("validMinus");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("shown");
        QTest::newRow("padded") << 255.0 << 4 << false << "00FF" << 255.0;
        QTest::newRow("valid minus") << -255.0 << 4 << true << "-00FF" << -255.0;
        QTest::newRow("two's complement") << -1.0 << 4 << false << "FFFFFFFF" << -1.0;
        QTest::newRow("clamped to 32 bits") << 1e12 << -1 << false << "7FFFFFFF" << 2147483647.0;
        QTest::newRow("64-bit with minus") << 1e12 << -1 << true << "E8D4A51000" << 1e12;
        QTest::newRow("decimals rounded away") << 255.4 << 1 << false << "FF" << 255.0;
        QTest::newRow("zero") << 0.0 << -1 << false << "0" << 0.0;
    }
    void formatValueHex() {
        QFETCH(double, value);
        QFETCH(int, figure);
        QFETCH(bool, validMinus);
        QFETCH(QString, text);
        QFETCH(double, shown);
        TNumberFormat format = Decimal(figure);
        format.NumberType = TNumberType::ntHex;
        format.ValidMinus = validMinus;
        const TFormattedValue formatted = FormatValue(value, {}, format);
        QCOMPARE(formatted.Text, text);
        QCOMPARE(static_cast<double>(formatted.Value), shown);
    }

    void formatValueClampsAndHidesZero() {
        TNumberFormat format;
        format.Limit = true;
        format.Min = 1;
        format.Max = 100;
        QCOMPARE(FormatValue(250, {}, format).Text, QStringLiteral("100"));
        QCOMPARE(FormatValue(-5, {}, format).Text, QStringLiteral("1"));
        format.LimitOptions = loMax;
        QCOMPARE(FormatValue(-5, {}, format).Text, QStringLiteral("-5"));

        TNumberFormat hidden = Decimal(2);
        hidden.ZeroVisible = false;
        QCOMPARE(FormatValue(0, {}, hidden).Text, QString());
        // Rounds to zero: shown as nothing as well.
        QCOMPARE(FormatValue(0.001L, {}, hidden).Text, QString());
        QCOMPARE(FormatValue(0.01L, {}, hidden).Text, QStringLiteral("0.01"));
    }

    void roundedInteger_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<TRoundMode>("mode");
        QTest::addColumn<int>("integer");
        QTest::newRow("down") << 2.9 << TRoundMode::rmDown << 2;
        QTest::newRow("round") << 2.5 << TRoundMode::rmRound << 3;
        QTest::newRow("up") << 2.1 << TRoundMode::rmUp << 3;
        QTest::newRow("negative down") << -2.9 << TRoundMode::rmDown << -2;
        QTest::newRow("negative up") << -2.1 << TRoundMode::rmUp << -3;
        QTest::newRow("clamped high") << 1e15 << TRoundMode::rmDown << 2147483647;
        QTest::newRow("clamped low") << -1e30 << TRoundMode::rmDown << -2147483647 - 1;
    }
    void roundedInteger() {
        QFETCH(double, value);
        QFETCH(TRoundMode, mode);
        QFETCH(int, integer);
        QCOMPARE(RoundedInteger(value, mode), integer);
    }

    void regroupText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("grouped");
        QTest::addColumn<int>("groupedCaret");
        QTest::newRow("same length") << "1,2345" << 6 << "12,345" << 6;
        QTest::newRow("longer") << "123,4567" << 8 << "1,234,567" << 9;
        QTest::newRow("shorter") << "1,23" << 4 << "123" << 3;
        QTest::newRow("typed in front") << "91,234" << 1 << "91,234" << 1;
        QTest::newRow("comma deleted comes back") << "1234" << 1 << "1,234" << 2;
        QTest::newRow("pasted block") << "1234567" << 7 << "1,234,567" << 9;
        QTest::newRow("minus kept") << "-1234567" << 8 << "-1,234,567" << 10;
        QTest::newRow("plus kept") << "+1234" << 5 << "+1,234" << 6;
        QTest::newRow("minus before separator") << "-.5" << 3 << "-0.5" << 4;
        QTest::newRow("leading zeros") << "007" << 3 << "7" << 1;
        QTest::newRow("decimals untouched") << "1234.5678" << 9 << "1,234.5678" << 10;
        QTest::newRow("beyond 64 bits")
            << "12345678901234567890" << 20 << "12,345,678,901,234,567,890" << 26;
    }
    void regroupText() {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(QString, grouped);
        QFETCH(int, groupedCaret);
        const TEditState result = RegroupText({text, caret, 0}, {});
        QCOMPARE(result.Text, grouped);
        QCOMPARE(result.SelStart, groupedCaret);
    }

    void isValidKey_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<QChar>("key");
        QTest::addColumn<int>("maxIntLength");
        QTest::addColumn<bool>("valid");
        QTest::newRow("digit") << "12" << 2 << 0 << QChar(u'3') << 0 << true;
        QTest::newRow("letter") << "12" << 2 << 0 << QChar(u'a') << 0 << false;
        QTest::newRow("blank") << "12" << 2 << 0 << QChar(u' ') << 0 << false;
        QTest::newRow("thousands separator") << "12" << 2 << 0 << QChar(u',') << 0 << false;
        QTest::newRow("full at end") << "100" << 3 << 0 << QChar(u'4') << 3 << false;
        QTest::newRow("full in front") << "100" << 0 << 0 << QChar(u'4') << 3 << false;
        QTest::newRow("full, after separator") << "100." << 4 << 0 << QChar(u'4') << 3 << true;
        QTest::newRow("full, before separator") << "100.5" << 3 << 0 << QChar(u'4') << 3 << false;
        QTest::newRow("full, all selected") << "100" << 0 << 3 << QChar(u'4') << 3 << true;
        QTest::newRow("full, one digit selected") << "100" << 1 << 1 << QChar(u'4') << 3 << true;
        QTest::newRow("full, separator selected") << "1,000" << 1 << 1 << QChar(u'4') << 4 << false;
        QTest::newRow("full, decimals selected") << "100.5" << 3 << 2 << QChar(u'7') << 3 << false;
        QTest::newRow("full, separator key") << "100" << 3 << 0 << QChar(u'.') << 3 << true;
        QTest::newRow("full, minus key") << "100" << 3 << 0 << QChar(u'-') << 3 << true;
        QTest::newRow("full, backspace") << "100" << 3 << 0 << QChar(u'\b') << 3 << true;
        QTest::newRow("grouping not counted") << "-1,00" << 5 << 0 << QChar(u'0') << 4 << true;
        QTest::newRow("under the limit") << "10" << 2 << 0 << QChar(u'0') << 3 << true;
    }
    void isValidKey() {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(QChar, key);
        QFETCH(int, maxIntLength);
        QFETCH(bool, valid);
        TNumberFormat format;
        format.MaxIntLength = maxIntLength;
        QCOMPARE(IsValidKey(key, false, {text, selStart, selLength}, format), valid);
        QVERIFY(IsValidKey(key, true, {text, selStart, selLength}, format));
    }

    void isValidKeyHex_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QChar>("key");
        QTest::addColumn<bool>("validMinus");
        QTest::addColumn<bool>("valid");
        QTest::newRow("upper") << "" << QChar(u'F') << false << true;
        QTest::newRow("lower") << "" << QChar(u'a') << false << true;
        QTest::newRow("beyond f") << "" << QChar(u'g') << false << false;
        QTest::newRow("separator") << "1" << QChar(u'.') << false << false;
        QTest::newRow("minus refused") << "1" << QChar(u'-') << false << false;
        QTest::newRow("minus allowed") << "1" << QChar(u'-') << true << true;
        QTest::newRow("plus on negative") << "-1" << QChar(u'+') << true << true;
        QTest::newRow("plus on positive") << "1" << QChar(u'+') << true << false;
    }
    void isValidKeyHex() {
        QFETCH(QString, text);
        QFETCH(QChar, key);
        QFETCH(bool, validMinus);
        QFETCH(bool, valid);
        TNumberFormat format;
        format.NumberType = TNumberType::ntHex;
        format.ValidMinus = validMinus;
        QCOMPARE(IsValidKey(key, false, {text, static_cast<int>(text.size()), 0}, format), valid);
    }

    void applySignKey_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<QChar>("key");
        QTest::addColumn<bool>("hex");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("caret");
        QTest::newRow("minus added") << "123" << 3 << 0 << QChar(u'-') << false << "-123" << 4;
        QTest::newRow("minus removed") << "-123" << 4 << 0 << QChar(u'-') << false << "123" << 3;
        QTest::newRow("plus to minus") << "+123" << 2 << 0 << QChar(u'-') << false << "-123" << 2;
        QTest::newRow("minus to plus") << "-123" << 2 << 0 << QChar(u'+') << false << "+123" << 2;
        QTest::newRow("plus removed") << "+123" << 0 << 0 << QChar(u'+') << false << "123" << 0;
        QTest::newRow("selection at 0 replaced")
            << "123" << 0 << 3 << QChar(u'-') << false << "-" << 1;
        QTest::newRow("selection later kept")
            << "12" << 1 << 1 << QChar(u'-') << false << "-12" << 2;
        QTest::newRow("hex plus drops minus")
            << "-FF" << 3 << 0 << QChar(u'+') << true << "FF" << 2;
    }
    void applySignKey() {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(QChar, key);
        QFETCH(bool, hex);
        QFETCH(QString, result);
        QFETCH(int, caret);
        TNumberFormat format;
        format.NumberType = hex ? TNumberType::ntHex : TNumberType::ntDecimal;
        const TEditState state = ApplySignKey(key, {text, selStart, selLength}, format);
        QCOMPARE(state.Text, result);
        QCOMPARE(state.SelStart, caret);
    }

    void pasteText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<bool>("hex");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("caret");
        QTest::newRow("filtered") << "" << 0 << 0 << "12a.3.4" << false << true << "12.34" << 5;
        QTest::newRow("sign at start") << "" << 0 << 0 << "-5" << false << true << "-5" << 2;
        QTest::newRow("sign inside dropped") << "3" << 1 << 0 << "-5" << false << true << "35" << 2;
        QTest::newRow("sign not first dropped")
            << "" << 0 << 0 << "5-" << false << true << "5" << 1;
        QTest::newRow("selected sign replaced")
            << "-1" << 0 << 1 << "+2" << false << true << "+21" << 2;
        QTest::newRow("in front of sign") << "-12" << 0 << 0 << "5" << false << false << "" << 0;
        QTest::newRow("separator taken")
            << "1.2" << 3 << 0 << "5.5" << false << true << "1.255" << 5;
        QTest::newRow("grouping dropped")
            << "" << 0 << 0 << "1,234" << false << true << "1234" << 4;
        QTest::newRow("replaces selection")
            << "9999" << 1 << 2 << "12" << false << true << "9129" << 3;
        QTest::newRow("hex") << "" << 0 << 0 << "0x-fF" << true << true << "0fF" << 3;
    }
    void pasteText() {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(QString, clipboard);
        QFETCH(bool, hex);
        QFETCH(bool, accepted);
        QFETCH(QString, result);
        QFETCH(int, caret);
        TNumberFormat format;
        format.NumberType = hex ? TNumberType::ntHex : TNumberType::ntDecimal;
        const auto state = PasteText(clipboard, {text, selStart, selLength}, format);
        QCOMPARE(state.has_value(), accepted);
        if (accepted) {
            QCOMPARE(state->Text, result);
            QCOMPARE(state->SelStart, caret);
        }
    }

    void separatorsFromLocale() {
        const auto german =
            TNumberSeparators::FromLocale(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(german.Decimal, QChar(u','));
        QCOMPARE(german.Thousands, QChar(u'.'));
        const auto japanese =
            TNumberSeparators::FromLocale(QLocale(QLocale::Japanese, QLocale::Japan));
        QCOMPARE(japanese.Decimal, QChar(u'.'));
        QCOMPARE(japanese.Thousands, QChar(u','));
        TNumberFormat format;
        format.Separators = german;
        QString text = QStringLiteral("1.234,5");
        QCOMPARE(static_cast<double>(ParseText(text, format).value()), 1234.5);
    }
};

QTEST_GUILESS_MAIN(NumberTextTest)
#include "NumberTextTest.moc"

#include "core/profile/columns.h"

#include <gtest/gtest.h>

#include <QSet>

using namespace k52;

namespace {

const Column &col(const char *name) {
    const int i = column_index(QString::fromLatin1(name));
    EXPECT_GE(i, 0) << name;
    return columns()[std::size_t(i)];
}

QVariant encode(const char *name, ConfigRecord &rec) {
    QVariant v;
    QString why;
    EXPECT_TRUE(col(name).encode(rec, v, &why)) << name << ": " << why.toStdString();
    return v;
}

bool decode(const char *name, const QVariant &v, ConfigRecord &rec, bool strict = false) {
    QString why;
    return col(name).decode(v, rec, strict, &why);
}

} // namespace

TEST(ColumnTable, HoldsTheColumnsInTableOrder) {
    const auto cols = columns();
    ASSERT_EQ(cols.size(), 218u);
    QSet<QString> names;
    for (const Column &c : cols)
        names.insert(QLatin1StringView(c.name));
    EXPECT_EQ(names.size(), 218) << "column names must be unique";
    // Group boundaries: serial port first, preprocessing options last.
    EXPECT_STREQ(cols[0].name, "baudrate");
    EXPECT_STREQ(cols[7].name, "sermask1");
    EXPECT_STREQ(cols[217].name, "zerosuppress");
    // Input masks: format 1 const 1-5, start 1-5, len 1-5, constval 1-5, then format 2.
    const int c1 = column_index(u"input1const1");
    ASSERT_GE(c1, 0);
    EXPECT_STREQ(cols[std::size_t(c1 + 5)].name, "input1start1");
    EXPECT_STREQ(cols[std::size_t(c1 + 15)].name, "input1constval1");
    EXPECT_STREQ(cols[std::size_t(c1 + 20)].name, "input1const21");
    EXPECT_STREQ(cols[std::size_t(c1 + 40)].name, "input1const31");
    EXPECT_EQ(column_index(u"profilename"), -1) << "the key is not a setting column";
}

TEST(ParityCodec, LettersAndUnknownValues) {
    ConfigRecord rec;
    rec.parity = QStringLiteral("N");
    EXPECT_EQ(encode("parity", rec).toInt(), 2);
    rec.parity = QStringLiteral("X");
    EXPECT_TRUE(encode("parity", rec).isNull()) << "an unknown letter leaves the stored value";

    rec.parity = QStringLiteral("O");
    EXPECT_TRUE(decode("parity", 3, rec));
    EXPECT_EQ(rec.parity, "O") << "3 leaves the in-memory parity unchanged";
    EXPECT_FALSE(decode("parity", 3, rec, true)) << "an import file must hold 0, 1 or 2";
    EXPECT_TRUE(decode("parity", 0, rec));
    EXPECT_EQ(rec.parity, "E");
}

TEST(TerminatorCodec, StoredAsTypedReadBackUpperCase) {
    ConfigRecord rec;
    rec.terminators = {QStringLiteral("0a"), QString(), QStringLiteral("d")};
    EXPECT_EQ(encode("terminators", rec).toString(), "0a000d");
    ConfigRecord back;
    ASSERT_TRUE(decode("terminators", QStringLiteral("0a000d"), back));
    EXPECT_EQ(back.terminators, (Terminators{"0A", "00", "0D"}));
    EXPECT_FALSE(decode("terminators", QStringLiteral("0D0A"), back)) << "wrong width";
    EXPECT_FALSE(decode("terminators", QStringLiteral("0D0AZZ"), back, true)) << "not hex";
}

TEST(MagParmsCodec, DigitsStrictly) {
    ConfigRecord rec;
    ASSERT_TRUE(decode("sermagparms", QStringLiteral("10101"), rec));
    EXPECT_EQ(rec.sermagparms, (MagParms{1, 0, 1, 0, 1}));
    const MagParms before = rec.sermagparms;
    EXPECT_FALSE(decode("sermagparms", QStringLiteral("1a101"), rec));
    EXPECT_FALSE(decode("sermagparms", QStringLiteral("1010"), rec));
    EXPECT_EQ(rec.sermagparms, before) << "a refused value leaves the field";
    rec.sermagparms = {0, 1, 1, 0, 0};
    EXPECT_EQ(encode("sermagparms", rec).toString(), "01100");
}

TEST(MaskCodec, EntryLayoutAndInputLength) {
    ConfigRecord rec;
    rec.sermask1.entries[0] = {1, 3, 12, QStringLiteral("7")};
    EXPECT_EQ(encode("sermask1", rec).toString().left(7), "1031207");
    EXPECT_EQ(rec.sermask1.entries[0].value, "07") << "the value is normalised as it is stored";
    EXPECT_EQ(encode("sermask1", rec).toString().size(), 35);

    rec.sermask2.entries[4] = {0, 99, 1, QStringLiteral("fF")};
    rec.sermask2.inputlen = 42;
    const QString s2 = encode("sermask2", rec).toString();
    EXPECT_EQ(s2.size(), 37);
    EXPECT_EQ(s2.mid(28, 7), "09901fF");
    EXPECT_EQ(s2.right(2), "42");

    rec.sermask3.entries[1].start = 100;
    QVariant v;
    QString why;
    EXPECT_FALSE(col("sermask3").encode(rec, v, &why)) << "three digits do not fit the layout";
    EXPECT_TRUE(why.contains("Start")) << why.toStdString();
}

TEST(MaskCodec, EachSetLoadsFromItsOwnColumn) {
    ConfigRecord rec;
    const QString m2 = QStringLiteral("1010201") + QString(28, QLatin1Char('0')) + QStringLiteral("05");
    const QString m3 = QStringLiteral("0112233") + QString(28, QLatin1Char('0')) + QStringLiteral("17");
    ASSERT_TRUE(decode("sermask2", m2, rec));
    ASSERT_TRUE(decode("sermask3", m3, rec));
    EXPECT_NE(rec.sermask2, rec.sermask3);
    EXPECT_EQ(rec.sermask2.inputlen, 5);
    EXPECT_EQ(rec.sermask3.inputlen, 17);
    EXPECT_EQ(rec.sermask3.entries[0].value, "33");
}

TEST(MaskCodec, LenientOnLoadStrictOnImport) {
    ConfigRecord rec;
    // A blank where a digit belongs: the leading run of digits, none gives 0.
    const QString odd = QStringLiteral("1 3x2AB") + QString(28, QLatin1Char('0'));
    ASSERT_TRUE(decode("sermask1", odd, rec));
    EXPECT_EQ(rec.sermask1.entries[0], (MaskEntry{1, 0, 0, QStringLiteral("AB")}));
    EXPECT_FALSE(decode("sermask1", odd, rec, true));
    EXPECT_FALSE(decode("sermask1", QString(34, QLatin1Char('0')), rec)) << "wrong width";
}

TEST(NumberCodec, RangeAndForm) {
    ConfigRecord rec;
    rec.serwiesitebits = 8;
    EXPECT_FALSE(decode("serwiesitebits", QVariant(), rec)) << "empty";
    EXPECT_FALSE(decode("serwiesitebits", QStringLiteral("eight"), rec));
    EXPECT_FALSE(decode("serwiesitebits", 32768, rec)) << "outside 16 bits";
    EXPECT_FALSE(decode("serwiesitebits", 2.5, rec));
    EXPECT_EQ(rec.serwiesitebits, 8);
    EXPECT_TRUE(decode("serwiesitebits", -32768, rec));
    EXPECT_EQ(rec.serwiesitebits, -32768);
    EXPECT_TRUE(decode("serwiesitebits", QStringLiteral(" 12 "), rec));
    EXPECT_EQ(rec.serwiesitebits, 12);
    EXPECT_TRUE(decode("baudrate", 115200, rec));
    EXPECT_EQ(rec.baudrate, 115200);
    EXPECT_FALSE(decode("baudrate", qint64(1) << 31, rec));
}

TEST(HexCodec, NormalisedOnSaveCheckedOnImport) {
    ConfigRecord rec;
    rec.serwiesiteover = QStringLiteral(" 1f ");
    EXPECT_EQ(encode("serwiesiteover", rec).toString(), "001f");
    EXPECT_EQ(rec.serwiesiteover, "001f") << "the record holds the normalised text";
    rec.input1septrans.clear();
    EXPECT_EQ(encode("input1septrans", rec).toString(), "00");
    EXPECT_EQ(padded_hex(QStringLiteral("12345"), 4), "2345"); // the tail is kept
    EXPECT_TRUE(decode("serwielpmask", QStringLiteral("zz"), rec)) << "loading copies the text";
    EXPECT_FALSE(decode("serwielpmask", QStringLiteral("zz"), rec, true));
    EXPECT_FALSE(decode("serwielpmask", QStringLiteral("FF"), rec, true)) << "import wants the full width";
}

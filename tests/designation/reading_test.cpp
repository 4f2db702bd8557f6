// The designation reader on real-world spellings: what each must be read as, written out by hand
// as "kind dims… [series] [grade] [×count] [nominal] [length] [swapped]".
#include "designation/reading.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace mhbk::designation {
namespace {

QString kindCode(Kind kind)
{
    switch (kind) {
    case Kind::HBeam: return QStringLiteral("H");
    case Kind::HKBeam: return QStringLiteral("HK");
    case Kind::WeldedH: return QStringLiteral("WH");
    case Kind::TaperedH: return QStringLiteral("TH");
    case Kind::CutTee: return QStringLiteral("T");
    case Kind::WeldedTee: return QStringLiteral("WT");
    case Kind::IBeam: return QStringLiteral("I");
    case Kind::Channel: return QStringLiteral("[");
    case Kind::EqualAngle: return QStringLiteral("L");
    case Kind::UnequalAngle: return QStringLiteral("UL");
    case Kind::RectHollow: return QStringLiteral("BOX");
    case Kind::RoundHollow: return QStringLiteral("TUBE");
    case Kind::Plate: return QStringLiteral("PL");
    case Kind::Flat: return QStringLiteral("FLAT");
    case Kind::CPurlin: return QStringLiteral("C");
    case Kind::ZPurlin: return QStringLiteral("Z");
    case Kind::RoundBar: return QStringLiteral("RB");
    case Kind::SquareBar: return QStringLiteral("SB");
    }
    return {};
}

QString signature(const Reading &r)
{
    QStringList words{kindCode(r.kind)};
    for (double d : r.dims)
        words << numberText(d);
    if (!r.series.isEmpty())
        words << r.series;
    if (!r.grade.isEmpty())
        words << r.grade;
    if (r.count != 1)
        words << QStringLiteral("x%1").arg(r.count);
    if (r.nominal)
        words << QStringLiteral("nominal");
    if (r.pieceLength)
        words << QStringLiteral("len%1").arg(numberText(*r.pieceLength));
    if (r.swapped)
        words << QStringLiteral("swapped");
    return words.join(QLatin1Char(' '));
}

struct Spelling {
    const char *text;
    const char *reading;
};

// Spellings seen on drawings, material lists and estimates, and exports of detailing programs.
const Spelling kSpellings[] = {
    // Hot-rolled H, by four numbers and by nominal size
    {"H400×200×8×13", "H 400 200 8 13"},
    {"H400x200x8x13", "H 400 200 8 13"},
    {"H400X200X8X13", "H 400 200 8 13"},
    {"H400*200*8*13", "H 400 200 8 13"},
    {"H 400 × 200 × 8 × 13", "H 400 200 8 13"},
    {"Ｈ４００×２００×８×１３", "H 400 200 8 13"},
    {"h400x200x8x13", "H 400 200 8 13"},
    {"H400×200×8×13 ", "H 400 200 8 13"},
    {"H400mm×200mm×8mm×13mm", "H 400 200 8 13"},
    {"H型钢400×200×8×13", "H 400 200 8 13"},
    {"H型钢H400×200×8×13", "H 400 200 8 13"},
    {"H588×300×12×20", "H 588 300 12 20"},
    {"H175×175×7.5×11", "H 175 175 7.5 11"},
    {"H308×305×9.9×15.4", "H 308 305 9.9 15.4"},
    {"HN400×200", "H 400 200 HN nominal"},
    {"HN400x200", "H 400 200 HN nominal"},
    {"hn400*200", "H 400 200 HN nominal"},
    {"ＨＮ４００×２００", "H 400 200 HN nominal"},
    {"HN 400×200", "H 400 200 HN nominal"},
    {"HW300×300", "H 300 300 HW nominal"},
    {"HM588×300", "H 588 300 HM nominal"},
    {"HT200×100", "H 200 100 HT nominal"},
    {"HW500×500", "H 500 500 HW nominal"},
    {"H400×200", "H 400 200 nominal"},
    {"HN400×200×8×13", "H 400 200 8 13 HN"},
    {"HW400×400×13×21", "H 400 400 13 21 HW"},
    {"HN700*300*13*24", "H 700 300 13 24 HN"},
    {"HN400×200#", "H 400 200 HN nominal"},
    {"型号HN400×200", "H 400 200 HN nominal"},
    {"规格：HN400×200", "H 400 200 HN nominal"},
    // HK
    {"HK300×300", "HK 300 300 nominal"},
    {"HK300×300(308×305×9.9×15.4)", "HK 308 305 9.9 15.4"},
    {"HK300×300（308×305×9.9×15.4）", "HK 308 305 9.9 15.4"},
    {"HK308×305×9.9×15.4", "HK 308 305 9.9 15.4"},
    {"hk300x300", "HK 300 300 nominal"},
    // Welded and tapered H
    {"WH400×200×8×12", "WH 400 200 8 12"},
    {"焊接H400×200×8×12", "WH 400 200 8 12"},
    {"焊接H型钢400×200×8×12", "WH 400 200 8 12"},
    {"H400×200×8×12焊接", "WH 400 200 8 12"},
    {"高频焊H型钢200×100×3.2×4.5", "WH 200 100 3.2 4.5"},
    {"WH1200×400×14×25", "WH 1200 400 14 25"},
    {"H500~800×400/300×16×22/20", "TH 500 800 400 300 16 22 20"},
    {"H500～800×400/300×16×22/20", "TH 500 800 400 300 16 22 20"},
    {"WH600~900×300×12×20", "TH 600 900 300 300 12 20 20"},
    {"H300~600*250*8*12", "TH 300 600 250 250 8 12 12"},
    {"H400×300/200×10×16/12", "TH 400 400 300 200 10 16 12"},
    // Cut T
    {"TN200×200", "T 200 200 TN nominal"},
    {"TW150×300", "T 150 300 TW nominal"},
    {"TM300×300", "T 300 300 TM nominal"},
    {"T200×200×8×13", "T 200 200 8 13"},
    {"T200x200x8x13", "T 200 200 8 13"},
    {"T100×200", "T 100 200 nominal"},
    {"剖分T型钢TN200×200", "T 200 200 TN nominal"},
    {"T237.5×151.5×8.5×15.5", "T 237.5 151.5 8.5 15.5"},
    {"焊接T200×150×8×12", "WT 200 150 8 12"},
    {"tn200*200", "T 200 200 TN nominal"},
    // I-beams
    {"I20a", "I 20 a"},
    {"I20A", "I 20 a"},
    {"i20a", "I 20 a"},
    {"I 20a", "I 20 a"},
    {"工20a", "I 20 a"},
    {"工20a#", "I 20 a"},
    {"20a#工字钢", "I 20 a"},
    {"20a工字钢", "I 20 a"},
    {"工字钢20a", "I 20 a"},
    {"工字钢I20a", "I 20 a"},
    {"I12.6", "I 12.6"},
    {"I10", "I 10"},
    {"I63c", "I 63 c"},
    {"I45b", "I 45 b"},
    {"Ｉ２０ａ", "I 20 a"},
    {"I20", "I 20"},
    {"2I20a", "I 20 a x2"},
    // Channels
    {"[20a", "[ 20 a"},
    {"［20a", "[ 20 a"},
    {"〔20a", "[ 20 a"},
    {"[20a#", "[ 20 a"},
    {"槽20a", "[ 20 a"},
    {"槽钢20a", "[ 20 a"},
    {"20a#槽钢", "[ 20 a"},
    {"20a槽钢", "[ 20 a"},
    {"[10", "[ 10"},
    {"[6.3", "[ 6.3"},
    {"[40c", "[ 40 c"},
    {"2[20a", "[ 20 a x2"},
    {"2［20a", "[ 20 a x2"},
    {"双拼[20a", "[ 20 a x2"},
    {"双[25b", "[ 25 b x2"},
    {"[ 12.6", "[ 12.6"},
    {"槽钢[16a", "[ 16 a"},
    // Angles
    {"∠63×6", "L 63 6"},
    {"∠63x6", "L 63 6"},
    {"∠63*6", "L 63 6"},
    {"L63*6", "L 63 6"},
    {"L63×6", "L 63 6"},
    {"L63x6", "L 63 6"},
    {"l63x6", "L 63 6"},
    {"L 63 × 6", "L 63 6"},
    {"∟63×6", "L 63 6"},
    {"角63×6", "L 63 6"},
    {"角钢63×6", "L 63 6"},
    {"角钢∠63×6", "L 63 6"},
    {"等边角钢63×6", "L 63 6"},
    {"63×6角钢", "L 63 6"},
    {"∠63×6#", "L 63 6"},
    {"2L63×6", "L 63 6 x2"},
    {"2∠63×6", "L 63 6 x2"},
    {"2L63*6", "L 63 6 x2"},
    {"4L50×5", "L 50 5 x4"},
    {"∠100×63×8", "UL 100 63 8"},
    {"L100*63*8", "UL 100 63 8"},
    {"∠63×100×8", "UL 100 63 8"},
    {"不等边角钢100×63×8", "UL 100 63 8"},
    {"∠10/6.3×8", "UL 100 63 8"},
    {"L10/6.3*8", "UL 100 63 8"},
    {"∠125×80×10", "UL 125 80 10"},
    {"∠200×24", "L 200 24"},
    {"∠40×4", "L 40 4"},
    {"Ｌ６３×６", "L 63 6"},
    {"2L100×63×8", "UL 100 63 8 x2"},
    // Cold-formed hollow
    {"□200×100×6", "BOX 200 100 6"},
    {"□200x100x6", "BOX 200 100 6"},
    {"□ 200 × 100 × 6", "BOX 200 100 6"},
    {"口200×100×6", "BOX 200 100 6"},
    {"□100×100×6", "BOX 100 100 6"},
    {"□100×6", "BOX 100 100 6"},
    {"□100×200×6", "BOX 200 100 6"},
    {"方管100×100×4", "BOX 100 100 4"},
    {"方管□100×4", "BOX 100 100 4"},
    {"矩管200×100×5", "BOX 200 100 5"},
    {"矩形管150×100×5", "BOX 150 100 5"},
    {"方矩管120×80×4", "BOX 120 80 4"},
    {"F100×6", "BOX 100 100 6"},
    {"J150×100×6", "BOX 150 100 6"},
    {"f100x6", "BOX 100 100 6"},
    {"□20×20×1.2", "BOX 20 20 1.2"},
    {"□200×100×6#", "BOX 200 100 6"},
    // Round tube
    {"Φ219×8", "TUBE 219 8"},
    {"φ219×8", "TUBE 219 8"},
    {"Ф219×8", "TUBE 219 8"},
    {"ф219×8", "TUBE 219 8"},
    {"Ø219×8", "TUBE 219 8"},
    {"ø219x8", "TUBE 219 8"},
    {"D219×8", "TUBE 219 8"},
    {"d219*8", "TUBE 219 8"},
    {"Φ219X8", "TUBE 219 8"},
    {"Φ 219 × 8", "TUBE 219 8"},
    {"钢管Φ219×8", "TUBE 219 8"},
    {"钢管219×8", "TUBE 219 8"},
    {"圆管Φ114×4", "TUBE 114 4"},
    {"焊管Φ48×3.5", "TUBE 48 3.5"},
    {"无缝钢管Φ89×4", "TUBE 89 4"},
    {"Φ21.3×2.75", "TUBE 21.3 2.75"},
    {"Φ48.3*3.6", "TUBE 48.3 3.6"},
    {"⌀60×3", "TUBE 60 3"},
    // Plate and flat
    {"PL10×200", "PL 10 200"},
    {"PL10x200", "PL 10 200"},
    {"pl10*200", "PL 10 200"},
    {"PL10×200×1000", "PL 10 200 len1000"},
    {"PL10×200(×1000)", "PL 10 200 len1000"},
    {"PL10×200（×1000）", "PL 10 200 len1000"},
    {"PL10", "PL 10"},
    {"PL200×10", "PL 10 200 swapped"},
    {"钢板10", "PL 10"},
    {"钢板δ10", "PL 10"},
    {"δ10", "PL 10"},
    {"t=10", "PL 10"},
    {"钢板-10×200", "FLAT 10 200"},
    {"-10×200", "FLAT 10 200"},
    {"－10×200", "FLAT 10 200"},
    {"—10×200", "FLAT 10 200"},
    {"-200×10", "FLAT 10 200 swapped"},
    {"-10×200×500", "FLAT 10 200 len500"},
    {"扁钢-50×5", "FLAT 5 50 swapped"},
    {"扁钢5×50", "FLAT 5 50"},
    {"-6x60", "FLAT 6 60"},
    {"PL16×300×450", "PL 16 300 len450"},
    {"PL 10 × 200", "PL 10 200"},
    // Cold-formed C and Z
    {"C160×60×20×2.5", "C 160 60 20 2.5"},
    {"C160x60x20x2.5", "C 160 60 20 2.5"},
    {"c160*60*20*2.5", "C 160 60 20 2.5"},
    {"C型钢160×60×20×2.5", "C 160 60 20 2.5"},
    {"C型檩条160×60×20×2.5", "C 160 60 20 2.5"},
    {"Z160×60×20×2.5", "Z 160 60 20 2.5"},
    {"Z型钢200×70×20×2.5", "Z 200 70 20 2.5"},
    {"2C160×60×20×2.5", "C 160 60 20 2.5 x2"},
    {"C250×75×20×3", "C 250 75 20 3"},
    // Round and square bar
    {"圆钢Φ20", "RB 20"},
    {"圆钢20", "RB 20"},
    {"Φ20", "RB 20"},
    {"φ12", "RB 12"},
    {"方钢20", "SB 20"},
    {"方钢□20", "SB 20"},
    {"□20", "SB 20"},
};

TEST(DesignationReading, RealWorldSpellings)
{
    static_assert(std::size(kSpellings) >= 150);
    for (const Spelling &s : kSpellings) {
        const QString text = QString::fromUtf8(s.text);
        const ReadResult result = readDesignation(text);
        ASSERT_TRUE(result.reading) << s.text << ": " << result.error.toStdString();
        EXPECT_EQ(signature(*result.reading).toStdString(), s.reading) << s.text;
    }
}

struct Refusal {
    const char *text;
    const char *says; // part of the Chinese message
};

// Each is refused with a message naming what is wrong; none crashes or is read as something else.
const Refusal kRefusals[] = {
    {"", "没有写规格"},
    {"   ", "没有写规格"},
    {"400×200×8×13", "缺少型钢代号"},
    {"XYZ", "“XYZ”不是已知代号"}, // quoted as typed, not with the X read as a times sign
    {"Q235", "牌号"},
    {"DN200", "公称直径"},
    {"H0×200×8×13", "为 0"},
    {"H400×0×8×13", "为 0"},
    {"H-400×200×8×13", "负数"},
    {"H400×200×-8×13", "负数"},
    {"H1e300×200×8×13", "科学计数法"},
    {"Φ1E300×8", "科学计数法"},
    {"H400000×200×8×13", "超过"},
    {"Φ1000000000000000000×8", "太大"},
    {"□100×100×60", "不小于尺寸"},
    {"□100×100×50", "不小于尺寸"},
    {"Φ100×50", "不小于尺寸"},
    {"Φ100×60", "不小于尺寸"},
    {"C160×60×20×40", "不小于尺寸"},
    {"H400×200×300×13", "腹板厚"},
    {"H400×200×8×250", "翼缘厚"},
    {"∠63×63", "边厚"},
    {"∠63", "无法计重"},
    {"H400×200×8", "四个数"},
    {"HN400", "四个数"},
    {"C160×60×20", "四个数"},
    {"H40cm×200×8×13", "单位"},
    {"Φ0.219m×8", "单位"},
    {"X400×200", "缺少型钢代号"},
    {"Y400×200", "缺少型钢代号"},
    {"H400××200", "缺少数字"},
    {"H400×200×8×13)", "不是尺寸数字"},
    {"H400×200(×8×13", "没有配对"},
    {"I20a×5", "多段"},
    {"I200", "太大"},
    {"龙400×200", "不认识"},
    {"角钢[20a", "不同"},
    {"圆钢Φ20×2", "只写直径"},
    {"钢管Φ20", "外径和壁厚"},
    {"F100×100×6", "边长×壁厚"},
    {"J150×6", "长边×短边×壁厚"},
    {"WH400×200", "四个数"},
    {"HN400×200×8×13焊接", "焊接H型钢请写"},
    {"H400/300×200×8×13", "“~”"},
    {"0L63×6", "根数"},
    {"5000L63×6", "根数"},
    {"∠63×6a", "字母"},
};

TEST(DesignationReading, AbsurdAndUnreadableTextIsRefusedInChinese)
{
    for (const Refusal &r : kRefusals) {
        const QString text = QString::fromUtf8(r.text);
        const ReadResult result = readDesignation(text);
        EXPECT_FALSE(result.reading) << r.text << " was read as " << (result.reading ? signature(*result.reading).toStdString() : "");
        EXPECT_TRUE(result.error.contains(QString::fromUtf8(r.says))) << r.text << ": " << result.error.toStdString();
        // Every refusal shows the forms that are accepted.
        EXPECT_TRUE(result.error.contains(QStringLiteral("可接受的写法"))) << r.text;
    }
}

TEST(DesignationReading, LongLinesAndBinaryAreRefusedAtOnce)
{
    const ReadResult longLine = readDesignation(QString(100000, QLatin1Char('H')));
    EXPECT_FALSE(longLine.reading);
    EXPECT_TRUE(longLine.error.contains(QStringLiteral("100000 个字符")));

    const ReadResult manyNumbers = readDesignation(QStringLiteral("H") + QStringLiteral("400×").repeated(20000));
    EXPECT_FALSE(manyNumbers.reading);

    QByteArray binary;
    for (int i = 0; i < 64; ++i)
        binary.append(static_cast<char>((i * 37) & 0xFF));
    const ReadResult pasted = readDesignation(QString::fromUtf8(binary));
    EXPECT_FALSE(pasted.reading);
    EXPECT_TRUE(pasted.error.contains(QStringLiteral("二进制")));
    EXPECT_FALSE(readDesignation(QStringLiteral("H400\u0000×200")).reading);
}

TEST(DesignationReading, EveryDimensionIsNamedInWords)
{
    const ReadResult h = readDesignation(QStringLiteral("H400×200×8×13"));
    ASSERT_TRUE(h.reading);
    EXPECT_EQ(dimensionsInWords(*h.reading),
              QStringLiteral("高 H=400 mm，翼缘宽 B=200 mm，腹板厚 t1=8 mm，翼缘厚 t2=13 mm"));
    const ReadResult channel = readDesignation(QStringLiteral("2[20a"));
    ASSERT_TRUE(channel.reading);
    EXPECT_EQ(dimensionsInWords(*channel.reading), QStringLiteral("号数 20a（高 h=200 mm），每件 2 根"));
    const ReadResult flat = readDesignation(QStringLiteral("-200×10"));
    ASSERT_TRUE(flat.reading);
    EXPECT_EQ(dimensionsInWords(*flat.reading), QStringLiteral("厚 t=10 mm，宽 b=200 mm，较小的数当作厚度"));
}

} // namespace
} // namespace mhbk::designation

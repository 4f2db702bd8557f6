#pragma once

#include <QString>
#include <optional>
#include <vector>

// Reading a steel designation as drawings and material lists write it: "HN400×200",
// "H400×200×8×13", "2[20a", "L63*6", "□200×100×6", "Φ219×8", "PL10×200", "C160×60×20×2.5" ...
// Plain C++ on Qt Core: no tables here, only what the text says.
namespace mhbk::designation {

enum class Kind {
    HBeam,        // hot-rolled H (GB/T 11263 附录 A): H B t1 t2, or the nominal H B
    HKBeam,       // HK (附录 B): H B t1 t2, or the nominal H B
    WeldedH,      // welded H: H B t1 t2
    TaperedH,     // welded tapered H: H1 H2 B1 B2 t1 t2top t2bottom
    CutTee,       // cut T (附录 C): h B t1 t2, or the nominal h B
    WeldedTee,    // welded T: h B t1 t2
    IBeam,        // GB/T 706 I-beam: number (h in cm) with a, b or c
    Channel,      // GB/T 706 channel: number with a, b or c
    EqualAngle,   // b d
    UnequalAngle, // B b d
    RectHollow,   // cold-formed square or rectangular hollow: H B t
    RoundHollow,  // round tube: D t
    Plate,        // plate: t, or t w (a strip of width w)
    Flat,         // flat bar or plate strip written "-t×w": t w
    CPurlin,      // cold-formed lipped channel: h b c t
    ZPurlin,      // cold-formed lipped Z: h b c t
    RoundBar,     // d
    SquareBar,    // a
};

struct Reading {
    Kind kind = Kind::HBeam;
    std::vector<double> dims; // mm, in the order given for the kind above
    QString series;           // HW/HM/HN/HT or TW/TM/TN as written; empty when none
    QString grade;            // a, b or c of an I-beam or channel number
    bool nominal = false;     // only the nominal size was written: the table decides the row
    int count = 1;            // 2[20a, 2L63×6, 双拼: pieces per member
    std::optional<double> pieceLength; // mm, written in the designation (PL10×200×1000)
    bool swapped = false;     // "-200×10": the smaller number was taken as the thickness
    QString normalized;       // the text after normalising characters, as read
};

struct ReadResult {
    std::optional<Reading> reading;
    QString error; // Chinese: what could not be read, and the forms accepted
};

// Longest text read; longer input is refused at once (a pasted block is no designation).
inline constexpr int kMaxDesignationLength = 200;

ReadResult readDesignation(const QString &text);

// The forms accepted, one per line, for error messages and help.
QString acceptedForms();

// Kind in words ("热轧H型钢") and every dimension in words ("高 H=400 mm，宽 B=200 mm …").
QString kindName(Kind kind);
QString dimensionsInWords(const Reading &reading);

// A number as the tables write it: 400, 62.5, 9.9 (no trailing zeros).
QString numberText(double value);

} // namespace mhbk::designation

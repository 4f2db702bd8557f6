#pragma once

// A small appender for the XML parts of an .xlsx package: markup goes in as it stands, text and
// attribute values are escaped, numbers are written in their shortest exact form. One buffer per
// part, no per-call allocation beyond the buffer's growth.

#include <QByteArray>
#include <QString>
#include <string>

namespace mhbk::xlsout {

class XmlBuffer {
public:
    explicit XmlBuffer(std::size_t reserve = 4096) { data_.reserve(reserve); }

    // Markup written as it stands.
    XmlBuffer &raw(const char *markup);
    XmlBuffer &raw(const QByteArray &markup)
    {
        data_.append(markup.constData(), std::size_t(markup.size()));
        return *this;
    }
    // Element content: & < > escaped; characters XML cannot carry (control characters, NUL,
    // U+FFFE, U+FFFF) and a literal "_xHHHH_" written as _xHHHH_ escapes, which spreadsheet
    // readers turn back into the character.
    XmlBuffer &text(QStringView text);
    // An attribute value between double quotes: as text(), with " escaped too.
    XmlBuffer &attr(const char *name, const QString &value);
    XmlBuffer &attr(const char *name, double value);
    XmlBuffer &attr(const char *name, int value);
    // The shortest decimal text that reads back as exactly `value` ("0.1", "1e+21", "-0").
    XmlBuffer &number(double value);
    XmlBuffer &integer(long long value);
    // "B3" for (2, 1).
    XmlBuffer &cellRef(int row, int col);

    std::size_t size() const { return data_.size(); }
    QByteArray bytes() const { return QByteArray(data_.data(), qsizetype(data_.size())); }

private:
    void escaped(QStringView text, bool inAttribute);
    // A standard string: appending to it is inlined, where QByteArray goes through a call each time.
    std::string data_;
};

// Whether element text needs xml:space="preserve" to keep its leading or trailing white space.
bool needsSpacePreserved(const QString &text);

} // namespace mhbk::xlsout

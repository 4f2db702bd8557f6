#pragma once

#include <QString>
#include <ostream>

// Lets gtest print a QString as text instead of as a list of 2-byte objects.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

#pragma once

#include "takeoff/takeofflist.h"

#include <QString>

namespace mhbk::takeoff {

// What a page offers to "加入清单": a line, or why it has none to offer now.
struct Offer {
    Line line;
    // A table row carries no quantity: the list asks for it (the length) before adding.
    bool askQuantity = false;
    QString refusal; // non-empty: nothing to add, and this says what to do first

    static Offer refused(const QString &why)
    {
        Offer offer;
        offer.refusal = why;
        return offer;
    }
};

// The one thing a page implements to take part in the takeoff list.
class TakeoffSource {
public:
    virtual ~TakeoffSource() = default;
    virtual Offer offer() const = 0;
};

} // namespace mhbk::takeoff

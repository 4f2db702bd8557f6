#pragma once

#include <QWidget>

namespace mhbk {

// Borderless, stay-on-top, centred window showing the "LP_SPLASH" picture.
class TfrmSplash : public QWidget {
public:
    TfrmSplash();
};

} // namespace mhbk

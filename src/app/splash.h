#pragma once

#include <QWidget>

namespace mhbk {

// Borderless, stay-on-top, centred window showing the "LP_SPLASH" picture.
class SplashScreen : public QWidget {
public:
    SplashScreen();
};

} // namespace mhbk

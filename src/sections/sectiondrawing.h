#pragma once

#include <QWidget>

namespace mhbk {

// The small line drawings of the sections with the letters their legends explain.
enum class Profile { None, Round, Square, Rectangle, Hexagon, EqualAngle, UnequalAngle, IBeam, Channel };

class SectionDrawing : public QWidget {
    Q_OBJECT
public:
    SectionDrawing(Profile profile, QWidget *parent = nullptr);
    Profile profile() const { return profile_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Profile profile_;
};

} // namespace mhbk

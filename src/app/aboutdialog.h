#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QUrl;

namespace mhbk {

class Autostart;
class Reporter;

// The About box: program name, version, build date, the maker's details with two links, and
// the "开机是否自动启动" switch, which takes effect at once.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(const Autostart &autostart, Reporter &reporter, std::function<void(const QUrl &)> opener,
              QWidget *parent = nullptr);

    void onAutostartToggled();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildContents(const std::function<void(const QUrl &)> &opener);

    const Autostart &autostart_;
    Reporter &reporter_;
    QCheckBox *autostartCheck_ = nullptr;
};

} // namespace mhbk

#include "app/aboutdialog.h"

#include "app/autostart.h"
#include "app/flatlabel.h"
#include "common/guarded.h"
#include "app/icons.h"
#include "app/maker.h"
#include "mhbk_build_date.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mhbk {

namespace {

QLabel *namedLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

LinkLabel *linkLabel(const QString &text, const QString &command, const QString &hint,
                      const std::function<void(const QUrl &)> &opener, QWidget *parent)
{
    auto *link = new LinkLabel(parent);
    link->setText(text);
    link->Command = command;
    link->setToolTip(hint);
    link->setOpener(opener);
    return link;
}

} // namespace

AboutDialog::AboutDialog(const Autostart &autostart, Reporter &reporter, std::function<void(const QUrl &)> opener,
                     QWidget *parent)
    : QDialog(parent), autostart_(autostart), reporter_(reporter)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    buildContents(opener);
}

void AboutDialog::buildContents(const std::function<void(const QUrl &)> &opener)
{
    const MakerDetails &maker = makerDetails();
    setWindowTitle(QStringLiteral("关于Zorvan五金手册"));

    auto *image = namedLabel(QStringLiteral("Image1"), QString(), this);
    image->setPixmap(picture(QStringLiteral("LP_ABOUT")));
    image->setFixedSize(81, 217);

    auto *name = namedLabel(QStringLiteral("lblSoftName"), QStringLiteral("Zorvan五金手册"), this);
    QFont nameFont = name->font();
    nameFont.setBold(true);
    nameFont.setPixelSize(19);
    name->setFont(nameFont);
    name->setAlignment(Qt::AlignCenter);
    auto *version = namedLabel(QStringLiteral("lblSoftVer"),
                               versionText(MHBK_VERSION_MAJOR, MHBK_VERSION_MINOR, MHBK_VERSION_PATCH), this);
    version->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *rights = namedLabel(QStringLiteral("lblSoftCopy"), maker.rightsNotice, this);
    rights->setWordWrap(true);
    rights->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto *details = new QGridLayout;
    details->setHorizontalSpacing(8);
    const struct {
        const char *caption;
        QWidget *value;
    } rows[] = {
        {"公司名称：", namedLabel(QStringLiteral("lblCoName"), maker.companyName, this)},
        {"通信地址：", namedLabel(QStringLiteral("lblCoAdd"), maker.postalAddress, this)},
        {"联系电话：", namedLabel(QStringLiteral("lblCoTel"), maker.telephone, this)},
        {"网　　址：", linkLabel(maker.webAddress, maker.webAddress, QStringLiteral("访问Zorvan公司网站"), opener, this)},
        {"电子信箱：", linkLabel(maker.emailAddress, QStringLiteral("MailTo:") + maker.emailAddress,
                            QStringLiteral("给Zorvan公司发电子邮件"), opener, this)},
    };
    int row = 0;
    for (const auto &entry : rows) {
        details->addWidget(new QLabel(QString::fromUtf8(entry.caption), this), row, 0, Qt::AlignRight);
        details->addWidget(entry.value, row++, 1);
    }
    details->setColumnStretch(1, 1);

    auto *text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(version);
    text->addSpacing(12);
    text->addWidget(rights);
    text->addSpacing(12);
    auto *indented = new QHBoxLayout;
    indented->addSpacing(100);
    indented->addLayout(details);
    text->addLayout(indented);
    text->addStretch();

    auto *top = new QHBoxLayout;
    top->addWidget(image, 0, Qt::AlignTop);
    top->addLayout(text, 1);

    auto *bevel = new QFrame(this);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);

    autostartCheck_ = new QCheckBox(QStringLiteral("开机是否自动启动"), this);
    autostartCheck_->setObjectName(QStringLiteral("CheckBox1"));
    autostartCheck_->setChecked(true);
    connect(autostartCheck_, &QCheckBox::clicked, this, [this] { runGuarded(reporter_, [this] { onAutostartToggled(); }); });
    auto *buildDate = namedLabel(QStringLiteral("lblSoftBuildDate"), buildDateText(MHBK_BUILD_EPOCH), this);
    auto *yes = new QPushButton(QStringLiteral("确定"), this);
    yes->setObjectName(QStringLiteral("btnYes"));
    yes->setDefault(true);
    connect(yes, &QPushButton::clicked, this, &QDialog::accept);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(autostartCheck_);
    bottom->addStretch();
    bottom->addWidget(new QLabel(QStringLiteral("最后编译时间："), this));
    bottom->addWidget(buildDate);
    bottom->addStretch();
    bottom->addWidget(yes);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(bevel);
    layout->addLayout(bottom);
    // The box is as large as its contents need, in any font, and cannot be resized: there is
    // nothing more to show in a larger one.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setSizeGripEnabled(false);
}

void AboutDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Each opening reads the stored state again: the entry may have changed meanwhile.
    autostartCheck_->setChecked(autostart_.isEnabled());
}

void AboutDialog::onAutostartToggled()
{
    try {
        autostart_.setEnabled(autostartCheck_->isChecked());
    } catch (...) {
        // The box must show what is stored, not what was asked for and never written.
        autostartCheck_->setChecked(autostart_.isEnabled());
        throw;
    }
}

} // namespace mhbk

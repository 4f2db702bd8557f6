#include "common/filedialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>

namespace mhbk {

namespace {

// The dialog's file model with the size, type and date columns worded afresh.
class ChineseFileDetails : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &index, int role) const override
    {
        const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
        if (role != Qt::DisplayRole || !files || !index.isValid())
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        const QLocale chinese(QLocale::Chinese, QLocale::China);
        enum Column { Size = 1, Type = 2, Modified = 3 };
        switch (index.column()) {
        case Size:
            return files->isDir(source) ? QString() : chinese.formattedDataSize(files->size(source), 1,
                                                                                QLocale::DataSizeTraditionalFormat);
        case Type:
            if (files->isDir(source))
                return QStringLiteral("文件夹");
            break;
        case Modified:
            return chinese.toString(files->lastModified(source), QLocale::ShortFormat);
        default:
            break;
        }
        return QIdentityProxyModel::data(index, role);
    }
};

} // namespace

void showFileDetailsInChinese(QFileDialog &dialog)
{
    // Qt's own dialog only: a desktop's native dialog words its details itself.
    dialog.setProxyModel(new ChineseFileDetails(&dialog));
}

QString chooseFilePath(QWidget *parent, const FileChoice &choice)
{
    QFileDialog dialog(parent, choice.title);
    dialog.setObjectName(choice.objectName);
    dialog.setAcceptMode(choice.saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(choice.saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(choice.filter);
    if (!choice.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(choice.defaultSuffix);
    showFileDetailsInChinese(dialog);
    if (QFileInfo(choice.suggested).isDir())
        dialog.setDirectory(choice.suggested);
    else if (!choice.suggested.isEmpty())
        dialog.selectFile(choice.suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace mhbk

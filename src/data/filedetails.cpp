#include "data/filedetails.h"

#include <QFileDialog>
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

} // namespace mhbk

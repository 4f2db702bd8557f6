#pragma once

#include <QString>

class QFileDialog;
class QWidget;

namespace mhbk {

// Makes a file dialog's detail columns Chinese whatever the system's locale: Qt words file
// sizes and dates with the system's locale and calls a folder "Folder" (a text its Chinese
// catalogue lacks). Sizes read "150.0 kB", dates "2026/12/7 18:07", folders "文件夹".
void showFileDetailsInChinese(QFileDialog &dialog);

// One file to open or save, asked for in Qt's own dialog with Chinese details.
struct FileChoice
{
    bool saving = false;
    QString title;
    QString objectName;      // for tests and scripts to find the dialog
    QString filter;          // "工作簿(*.mhbk)"
    QString defaultSuffix;   // added to a name typed without one; none when empty
    QString suggested;       // a folder to start in, or a file to propose
};
// The path chosen; empty when the dialog was cancelled.
QString chooseFilePath(QWidget *parent, const FileChoice &choice);

} // namespace mhbk

#pragma once

class QFileDialog;

namespace mhbk {

// Makes a file dialog's detail columns Chinese whatever the system's locale: Qt words file
// sizes and dates with the system's locale and calls a folder "Folder" (a text its Chinese
// catalogue lacks). Sizes read "150.0 kB", dates "2026/12/7 18:07", folders "文件夹".
void showFileDetailsInChinese(QFileDialog &dialog);

} // namespace mhbk

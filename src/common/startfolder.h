#pragma once

#include <QString>

namespace mhbk {

// The folder a file dialog opens in: the one the user last used, else the documents folder,
// else the home folder, the first of them that exists. Never the working folder: started from
// the desktop's menu that is a folder the user neither knows nor may write to.
QString dialogStartFolder(const QString &lastUsed = QString());

} // namespace mhbk

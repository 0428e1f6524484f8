#pragma once
// The file dialog that chooses the log file.

#include <QString>
#include <memory>
#include <optional>
#include <string>

class QFileDialog;
class QWidget;

namespace velmaric {

// Any file, existing or not, without a read-only box, opened on the last
// choice. The filters are ";;"-separated; one whose text is
// "All Files (*.*)" lists every file, those without a dot in their names too.
// The toolkit's own dialog is used everywhere, so that holds on every desktop.
std::unique_ptr<QFileDialog> Make_Log_File_Dialog(QWidget* parent, const QString& filters,
                                                  const std::string& last_choice);

// Shows the dialog; the chosen name, or nothing when it was cancelled.
std::optional<QString> Ask_For_Log_File(QWidget* parent, const QString& filters,
                                        const std::string& last_choice);

}  // namespace velmaric

#include "ui/log_file_dialog.h"

#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>

namespace velmaric {
namespace {

constexpr const char* all_files = "All Files (*.*)";

// The toolkit reads a filter's patterns from its parentheses, and "*.*"
// wants a dot; under this filter's text the dialog's list matches "*".
void List_Every_File_Under_All_Files(QFileDialog& dialog, const QString& selected) {
  if (selected != QLatin1String(all_files)) return;
  if (auto* model = dialog.findChild<QFileSystemModel*>()) {
    model->setNameFilters({QStringLiteral("*")});
  }
}

}  // namespace

std::unique_ptr<QFileDialog> Make_Log_File_Dialog(QWidget* parent, const QString& filters,
                                                  const std::string& last_choice) {
  auto dialog = std::make_unique<QFileDialog>(parent);
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setNameFilter(filters);
  dialog->setFileMode(QFileDialog::AnyFile);
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setOption(QFileDialog::ReadOnly, false);
  if (!last_choice.empty()) {
    dialog->selectFile(QFile::decodeName(QByteArray::fromStdString(last_choice)));
  }
  // The dialog applies a filter's patterns when the filter is chosen, and
  // says so afterwards: the list is widened after it.
  QFileDialog* const shown = dialog.get();
  QObject::connect(shown, &QFileDialog::filterSelected, shown, [shown](const QString& selected) {
    List_Every_File_Under_All_Files(*shown, selected);
  });
  List_Every_File_Under_All_Files(*shown, shown->selectedNameFilter());
  return dialog;
}

std::optional<QString> Ask_For_Log_File(QWidget* parent, const QString& filters,
                                        const std::string& last_choice) {
  const std::unique_ptr<QFileDialog> dialog = Make_Log_File_Dialog(parent, filters, last_choice);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
  return dialog->selectedFiles().constFirst();
}

}  // namespace velmaric

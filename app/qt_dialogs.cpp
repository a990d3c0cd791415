#include "app/qt_dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QImageReader>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStringList>

namespace kelvaro {
namespace {

QString q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

QString qtNameFilters(std::string_view filter) {
  const QStringList parts = q(filter).split('|');
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    const QString masks = parts[i + 1].split(';', Qt::SkipEmptyParts).join(' ');
    // A description that already names its masks keeps its words only.
    description.remove(QRegularExpression(R"(\s*\([^()]*\)\s*$)"));
    out << QStringLiteral("%1 (%2)").arg(description, masks);
  }
  return out.join(";;");
}

QtDialogs::QtDialogs(std::function<QWidget*()> parent, DosPathMapper paths)
    : parent_(std::move(parent)), paths_(std::move(paths)) {}

BoxButton QtDialogs::messageBox(const MessageBoxSpec& box) {
  QMessageBox dialog(parent_ ? parent_() : nullptr);
  dialog.setWindowTitle(q(box.title));
  dialog.setText(q(box.text));
  switch (box.icon) {
    case BoxIcon::None:
      dialog.setIcon(QMessageBox::NoIcon);
      break;
    case BoxIcon::Information:
      dialog.setIcon(QMessageBox::Information);
      break;
    case BoxIcon::Warning:
      dialog.setIcon(QMessageBox::Warning);
      break;
    case BoxIcon::Error:
      dialog.setIcon(QMessageBox::Critical);
      break;
    case BoxIcon::Question:
      dialog.setIcon(QMessageBox::Question);
      break;
  }
  QMessageBox::StandardButtons buttons;
  if (box.buttons & BoxButton::Ok) buttons |= QMessageBox::Ok;
  if (box.buttons & BoxButton::Yes) buttons |= QMessageBox::Yes;
  if (box.buttons & BoxButton::No) buttons |= QMessageBox::No;
  if (box.buttons & BoxButton::Cancel) buttons |= QMessageBox::Cancel;
  dialog.setStandardButtons(buttons);
  switch (dialog.exec()) {
    case QMessageBox::Yes:
      return BoxButton::Yes;
    case QMessageBox::No:
      return BoxButton::No;
    case QMessageBox::Cancel:
      return BoxButton::Cancel;
    case QMessageBox::Ok:
      return BoxButton::Ok;
    default:
      break;
  }
  // Closed without a button: the box's "no" answer.
  if (box.buttons & BoxButton::Cancel) return BoxButton::Cancel;
  if (box.buttons & BoxButton::No) return BoxButton::No;
  return BoxButton::Ok;
}

std::optional<std::string> QtDialogs::inputBox(std::string_view title, std::string_view prompt,
                                               std::string_view defaultText) {
  bool ok = false;
  const QString text = QInputDialog::getText(parent_ ? parent_() : nullptr, q(title), q(prompt),
                                             QLineEdit::Normal, q(defaultText), &ok);
  if (!ok) return std::nullopt;
  return text.toStdString();
}

QString QtDialogs::hostFolder(std::string_view dosFolder) const {
  if (dosFolder.empty() || !paths_.toHost) return {};
  const auto host = paths_.toHost(dosFolder);
  return host ? QString::fromStdString(host->string()) : QString();
}

std::optional<std::string> QtDialogs::runFileDialog(const FileOpenSpec& spec, bool withPreview) {
  const QString initial = hostFolder(spec.initialFolder);
  QFileDialog dialog(parent_ ? parent_() : nullptr, q(spec.title), initial);
  dialog.setOption(QFileDialog::DontUseNativeDialog, withPreview);
  dialog.setOption(QFileDialog::ReadOnly, false);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(spec.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  if (!spec.filter.empty()) dialog.setNameFilters(qtNameFilters(spec.filter).split(";;"));
  if (!spec.defaultExtension.empty()) dialog.setDefaultSuffix(q(spec.defaultExtension));
  // An initial file is preselected in its folder; otherwise nothing is.
  dialog.selectFile(QFileInfo(initial).isFile() ? QFileInfo(initial).fileName() : QString());
  if (withPreview) {
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
      auto* preview = new QLabel(&dialog);
      preview->setObjectName("picturePreview");
      preview->setFixedSize(160, 160);
      preview->setAlignment(Qt::AlignCenter);
      preview->setFrameShape(QFrame::StyledPanel);
      grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
      QObject::connect(&dialog, &QFileDialog::currentChanged, preview, [preview](const QString& path) {
        QImageReader reader(path);
        const QImage image = reader.read();
        preview->setPixmap(image.isNull()
                               ? QPixmap()
                               : QPixmap::fromImage(image.scaled(preview->size(), Qt::KeepAspectRatio,
                                                                 Qt::SmoothTransformation)));
      });
    }
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const std::filesystem::path host = dialog.selectedFiles().front().toStdString();
  if (!paths_.toDos) return host.string();
  return paths_.toDos(host);
}

std::optional<std::string> QtDialogs::openFile(const FileOpenSpec& spec) {
  return runFileDialog(spec, false);
}

std::optional<std::string> QtDialogs::openPicture(const FileOpenSpec& spec) {
  return runFileDialog(spec, true);
}

std::optional<std::string> QtDialogs::browseFolder(std::string_view title, std::string_view initialFolder) {
  const QString folder =
      QFileDialog::getExistingDirectory(parent_ ? parent_() : nullptr, q(title), hostFolder(initialFolder));
  if (folder.isEmpty()) return std::nullopt;
  if (!paths_.toDos) return folder.toStdString();
  return paths_.toDos(folder.toStdString());
}

std::optional<Rgb> QtDialogs::chooseColour(Rgb initial) {
  const QColor colour =
      QColorDialog::getColor(QColor(initial.red, initial.green, initial.blue), parent_ ? parent_() : nullptr);
  if (!colour.isValid()) return std::nullopt;
  return Rgb{colour.red(), colour.green(), colour.blue()};
}

}  // namespace kelvaro

#include "pages/shell/info_tips_page.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QVBoxLayout>

#include "pages/widgets/hinted_button.h"
#include "store/registry_handle.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {

struct TipSpec {
  const char* caption;
  const char* clsid;
  const char* hintWord;  // in the field's hint
  QStyle::StandardPixmap picture;
};

constexpr std::array<TipSpec, InfoTipsPage::kRows> kTips{{
    {"Harmonogram zadań", "{D6277990-4C6A-11CF-8D87-00AA0060F5BF}", "Harmonogram zadań",
     QStyle::SP_FileDialogDetailedView},
    {"Mój komputer", "{20D04FE0-3AEA-1069-A2D8-08002B30309D}", "Mój komputer", QStyle::SP_ComputerIcon},
    {"Otoczenie sieciowe", "{208D2C60-3AEA-1069-A2D7-08002B30309D}", "Otoczenie sieciowe",
     QStyle::SP_DriveNetIcon},
    {"Panel sterowania", "{21EC2020-3AEA-1069-A2DD-08002B30309D}", "Panel Sterowania",
     QStyle::SP_DesktopIcon},
    {"Drukarki", "{2227A280-3AEA-1069-A2DE-08002B30309D}", "Drukarki", QStyle::SP_FileDialogListView},
    {"Moje Dokumenty", "{450D8FBA-AD25-11D0-98A8-0800361B1103}", "Moje Dokumenty", QStyle::SP_DirHomeIcon},
    {"Kosz", "{645FF040-5081-101B-9F08-00AA002F954E}", "Kosz", QStyle::SP_TrashIcon},
    {"Aktówka", "{85BBD920-42A0-1069-A2E4-08002B30309D}", "Aktówka", QStyle::SP_DirClosedIcon},
    {"Internet Explorer", "{871C5380-42A0-1069-A2EA-08002B30309D}", "Internet Explorer",
     QStyle::SP_DirLinkIcon},
    {"Dial-Up Networking", "{992CFFA0-F557-101A-88EC-00DD010CCC48}", "Dial-Up Networking",
     QStyle::SP_DriveNetIcon},
}};

constexpr std::string_view kMarker = "@shell32.";

std::string tipKey(int row) { return std::string("CLSID\\") + kTips[row].clsid; }

}  // namespace

TipParts splitTip(std::string_view stored) {
  if (stored.empty() || !stored.starts_with(kMarker)) return {"", std::string(stored)};
  // After the second "@" the first comma ends the reference.
  std::size_t end = stored.size();
  int ats = 0;
  for (std::size_t i = 0; i < stored.size(); ++i) {
    if (ats >= 2 && stored[i] == ',') {
      end = i;
      break;
    }
    if (stored[i] == '@') ++ats;
  }
  // Without that comma there is no readable text to split off: the tip is
  // edited whole, so an untouched one is written back as it was.
  if (end == stored.size()) return {"", std::string(stored)};
  TipParts parts;
  parts.prefix = std::string(stored.substr(0, end)) + ",";
  parts.text = std::string(stored.substr(end + 1));
  return parts;
}

InfoTipsPage::InfoTipsPage(AppContext& app, const PageInfo& info, QWidget* parent) : Page(app, info, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  auto* grid = new QGridLayout;
  grid->setVerticalSpacing(3);
  grid->setColumnStretch(2, 1);
  layout->addLayout(grid);

  auto* applyButton = hintedButton(QStringLiteral("Zastosuj"), QStringLiteral("Zapisz powyższe ustawienia"),
                                   "podpowiedziZastosuj", this);
  ApplyCommand& apply =
      addApplyCommand(applyButton, {.setsRestartNeeded = true}, [this] { return this->apply(); });

  for (int row = 0; row < kRows; ++row) {
    const TipSpec& spec = kTips[row];
    const QString caption = QString::fromUtf8(spec.caption);
    const QString captionHint =
        QStringLiteral(
            "Zawartość podpowiedzi pokazującej się, gdy najedziesz myszką na \"%1\" lub gdy element "
            "wyświetlany jest jako strona sieci Web.")
            .arg(caption);
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("podpowiedziIkona%1").arg(row + 1));
    picture->setPixmap(QApplication::style()->standardIcon(spec.picture).pixmap(16, 16));
    picture->setToolTip(captionHint);
    auto* label = new QLabel(caption, this);
    label->setObjectName(QStringLiteral("podpowiedziOpis%1").arg(row + 1));
    label->setToolTip(captionHint);
    Row& r = rows_[row];
    r.field = new QLineEdit(this);
    r.field->setObjectName(QStringLiteral("podpowiedz%1").arg(row + 1));
    r.field->setToolTip(QStringLiteral("Zmień podpowiedź dla \"%1\"").arg(QString::fromUtf8(spec.hintWord)));
    label->setBuddy(r.field);
    grid->addWidget(picture, row, 0);
    grid->addWidget(label, row, 1);
    grid->addWidget(r.field, row, 2);
    connect(r.field, &QLineEdit::textChanged, &apply, &ApplyCommand::markPending);
    apply.runOnEnter(r.field);
  }

  auto* note = new QLabel(
      QStringLiteral(
          "Uwaga: Na tej zakładce można ustawić podpowiedzi, jakie są wyświetlane, po najechaniu na "
          "dany element."),
      this);
  note->setObjectName("podpowiedziUwaga");
  note->setWordWrap(true);
  layout->addWidget(note);
  layout->addStretch(1);
  layout->addWidget(applyButton, 0, Qt::AlignRight);
}

void InfoTipsPage::load() {
  RegistryHandle reg(app().registry());
  reg.setRoot(Root::ClassesRoot);
  for (int row = 0; row < kRows; ++row) {
    reg.closeKey();
    const std::string stored =
        openForRead(reg, tipKey(row)) ? guardedReadString(reg, "InfoTip") : std::string();
    TipParts parts = splitTip(stored);
    rows_[row].prefix = std::move(parts.prefix);
    rows_[row].field->setText(QString::fromStdString(parts.text));
  }
}

WriteResult InfoTipsPage::apply() {
  RegistryHandle reg(app().registry());
  reg.setRoot(Root::ClassesRoot);
  for (int row = 0; row < kRows; ++row) {
    reg.closeKey();
    openForWrite(reg, tipKey(row));
    reg.writeString("InfoTip", rows_[row].prefix + rows_[row].field->text().toStdString());
  }
  return WriteResult::Done;
}

}  // namespace kelvaro

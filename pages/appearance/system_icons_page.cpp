#include "pages/appearance/system_icons_page.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>

#include "dialogs/icon_picker.h"
#include "pages/widgets/hinted_button.h"
#include "pages/widgets/icon_picture.h"
#include "platform/icons.h"
#include "store/registry_handle.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {

constexpr char kShellIcons[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons";
constexpr char kRecycleBin[] = "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\DefaultIcon";

struct SlotSpec {
  const char* caption;
  const char* name;       // in the picture's hint; the caption when null
  const char* classKey;   // below HKEY_CLASSES_ROOT; null: read from Shell Icons
  const char* value;      // the value read ("" the default value)
  const char* shellIcon;  // the Shell Icons value Apply also writes, or null
};

constexpr std::array<SlotSpec, SystemIconsPage::kSlotCount> kSlots{{
    {"Otoczenie sieciowe", nullptr, "CLSID\\{208D2C60-3AEA-1069-A2D7-08002B30309D}\\DefaultIcon", "", "17"},
    {"Mój komputer", nullptr, "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\DefaultIcon", "", nullptr},
    {"Panel Sterowania", nullptr, "CLSID\\{21EC2020-3AEA-1069-A2DD-08002B30309D}\\DefaultIcon", "", "35"},
    {"Drukarki", nullptr, "CLSID\\{2227A280-3AEA-1069-A2DE-08002B30309D}\\DefaultIcon", "", "37"},
    {"Internet Explorer", nullptr, "CLSID\\{871C5380-42A0-1069-A2EA-08002B30309D}\\DefaultIcon", "", nullptr},
    {"Moje Dokumanty", "Moje Dokumenty", "CLSID\\{450D8FBA-AD25-11D0-98A8-0800361B1103}\\DefaultIcon", "",
     nullptr},
    {"Kosz pusty", nullptr, kRecycleBin, "Empty", "31"},
    {"Kosz pełny", nullptr, kRecycleBin, "Full", "32"},
    {"Historia", nullptr, "CLSID\\{FF393560-C2A7-11CF-BFF4-444553540000}\\DefaultIcon", "", nullptr},
    {"Aktówka", nullptr, "CLSID\\{85BBD920-42A0-1069-A2E4-08002B30309D}\\DefaultIcon", "", nullptr},
    {"Folder Downloaded \r\nProgram Files", "Download Program Files",
     "CLSID\\{8369AB20-56C9-11D0-94E8-00AA0059CE02}\\DefaultIcon", "", nullptr},
    {"Folder Offline Web Pages", "Offline Web Pages",
     "CLSID\\{8E6E6079-0CB7-11d2-8F10-0000F87ABD16}\\DefaultIcon", "", nullptr},
    {"Dial-Up Networking", nullptr, "CLSID\\{992CFFA0-F557-101A-88EC-00DD010CCC48}\\DefaultIcon", "", "33"},
    {"Zaplanowane zadania", nullptr, "CLSID\\{D6277990-4C6A-11CF-8D87-00AA0060F5BF}\\DefaultIcon", "",
     nullptr},
    {"Czcionki", "Czcinki", "CLSID\\{BD84B380-8CA2-1069-AB1D-08000948F534}\\DefaultIcon", "", nullptr},
    {"Pulpit", nullptr, "CLSID\\{00021400-0000-0000-C000-000000000046}\\DefaultIcon", "", "34"},
    {"Otwarty folder", nullptr, nullptr, "4", "4"},
    {"Zamknięty folder", nullptr, nullptr, "3", "3"},
    {"Grupa programów", nullptr, nullptr, "36", "36"},
    {"Dyskietka 3,5'", "Dyskietka 3,5", nullptr, "6", "6"},
    {"Dysk twardy", nullptr, nullptr, "8", "8"},
    {"Dysk CD-Rom", nullptr, nullptr, "11", "11"},
    {"Skrót", nullptr, nullptr, "29", "29"},
    {"Dysk Audio", nullptr, nullptr, "40", "40"},
}};

// The class keys Apply writes as default values, in its order; the Recycle
// Bin's two values follow.
constexpr std::array<int, 14> kClassKeySlots{1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13, 14, 15, 16};

// The strip: three rows of eight slots, wider than the page, shifted by the
// scroll bar's two positions.
constexpr int kColumns = 8;
constexpr int kCellWidth = 92;
constexpr int kCellHeight = 82;
constexpr int kStripLeft = 27;
constexpr int kStripShift = 190;
constexpr int kAreaWidth = 580;

}  // namespace

SystemIconsPage::SystemIconsPage(AppContext& app, const PageInfo& info, QWidget* parent)
    : Page(app, info, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);

  auto* area = new QWidget(this);
  area->setObjectName("ikonyArea");
  const int rows = (kSlotCount + kColumns - 1) / kColumns;
  area->setFixedSize(kAreaWidth, rows * kCellHeight + 8);
  strip_ = new QWidget(area);
  strip_->setObjectName("ikonyStrip");
  strip_->setGeometry(kStripLeft, 4, kColumns * kCellWidth, rows * kCellHeight);

  pictureFrame_ = new QFrame(strip_);
  pictureFrame_->setObjectName("ikonyRamkaIkony");
  captionFrame_ = new QFrame(strip_);
  captionFrame_->setObjectName("ikonyRamkaOpisu");
  for (QFrame* frame : {pictureFrame_, captionFrame_}) {
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setLineWidth(2);
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    frame->hide();
  }

  for (int slot = 1; slot <= kSlotCount; ++slot) {
    const SlotSpec& spec = kSlots[index(slot)];
    const int x = ((slot - 1) % kColumns) * kCellWidth;
    const int y = ((slot - 1) / kColumns) * kCellHeight;
    Slot& s = slots_[index(slot)];
    s.picture = new IconPicture(strip_);
    s.picture->setObjectName(QStringLiteral("ikonySlot%1").arg(slot));
    const QString hint =
        QStringLiteral("Ikona \"%1\"").arg(QString::fromUtf8(spec.name ? spec.name : spec.caption));
    s.picture->setToolTip(hint);
    s.picture->setAccessibleName(hint);
    s.picture->move(x + (kCellWidth - 32) / 2, y + 6);
    s.caption = new QLabel(QString::fromUtf8(spec.caption), strip_);
    s.caption->setObjectName(QStringLiteral("ikonyOpis%1").arg(slot));
    s.caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    s.caption->setWordWrap(true);
    s.caption->setGeometry(x + 2, y + 44, kCellWidth - 4, kCellHeight - 46);
    for (QWidget* w : {static_cast<QWidget*>(s.picture), static_cast<QWidget*>(s.caption)}) {
      w->setMouseTracking(true);
      w->installEventFilter(this);
    }
    connect(s.picture, &IconPicture::activated, this,
            [this, slot] { this->app().iconPicker().open(slot, window()); });
  }
  layout->addWidget(area, 0, Qt::AlignHCenter);

  scroll_ = new QScrollBar(Qt::Horizontal, this);
  scroll_->setObjectName("ikonyPrzewin");
  scroll_->setRange(0, 1);
  scroll_->setPageStep(1);
  scroll_->setToolTip(QStringLiteral("Przewiń lewo/prawo"));
  scroll_->setAccessibleName(QStringLiteral("Przewiń lewo/prawo"));
  scroll_->setFixedWidth(kAreaWidth);
  connect(scroll_, &QScrollBar::valueChanged, this, [this](int position) { scrollStrip(position); });
  layout->addWidget(scroll_, 0, Qt::AlignHCenter);
  layout->addStretch(1);

  auto* save = hintedButton(QStringLiteral("Zapisz"), QStringLiteral("Zapisz zmiany"), "ikonyZapisz", this);
  layout->addWidget(save, 0, Qt::AlignRight);
  apply_ = &addApplyCommand(save, {.setsRestartNeeded = true}, [this] { return apply(); });

  app.iconSlots().add(this, IconSlots::range(1, kSlotCount),
                      [this](int slot, const IconChoice& choice) { receive(slot, choice); });
}

void SystemIconsPage::scrollStrip(int position) {
  strip_->move(kStripLeft - kStripShift * position, strip_->y());
}

void SystemIconsPage::resetTransient() {
  pictureFrame_->hide();
  captionFrame_->hide();
}

void SystemIconsPage::highlight(int slot) {
  const Slot& s = slots_[index(slot)];
  pictureFrame_->setGeometry(s.picture->geometry().adjusted(-4, -4, 4, 4));
  // Around the caption's text, not its whole cell.
  const QRect text = s.caption->fontMetrics().boundingRect(
      s.caption->rect(), static_cast<int>(s.caption->alignment()) | Qt::TextWordWrap, s.caption->text());
  captionFrame_->setGeometry(text.translated(s.caption->pos()).adjusted(-4, -2, 4, 2));
  pictureFrame_->show();
  captionFrame_->show();
  pictureFrame_->lower();
  captionFrame_->lower();
}

bool SystemIconsPage::eventFilter(QObject* watched, QEvent* event) {
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    const Slot& s = slots_[index(slot)];
    if (watched != s.picture && watched != s.caption) continue;
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
      highlight(slot);
    } else if (event->type() == QEvent::MouseButtonDblClick && watched == s.caption) {
      app().iconPicker().open(slot, window());
      return true;
    }
    break;
  }
  return Page::eventFilter(watched, event);
}

void SystemIconsPage::showSlot(int slot) {
  const Slot& s = slots_[index(slot)];
  const IconTarget target = systemIconSlot(slot);
  s.picture->setIcon(s.location.empty() ? app().icons().substituteIcon(target)
                                        : app().icons().displayIcon(s.location, target));
}

void SystemIconsPage::load() {
  // The Program Files folder is the one the shell folders page shows.
  const std::optional<std::string> programFiles = app().frame().views().shellFolderLabel("Program Files");
  app().icons().setDirectories({app().environment().windowsDirectory(), app().environment().systemDirectory(),
                                programFiles.value_or("C:\\Program Files")});
  RegistryHandle reg(app().registry());
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    const SlotSpec& spec = kSlots[index(slot)];
    Slot& s = slots_[index(slot)];
    reg.closeKey();
    reg.setRoot(spec.classKey ? Root::ClassesRoot : Root::LocalMachine);
    s.location.clear();
    s.expandable = false;
    if (openForRead(reg, spec.classKey ? spec.classKey : kShellIcons)) {
      // Text of either string kind; a value of another kind shows as missing.
      const ValueKind kind = reg.valueExists(spec.value) ? reg.valueKind(spec.value) : ValueKind::Unknown;
      if (kind == ValueKind::String || kind == ValueKind::ExpandString) {
        s.location = reg.readString(spec.value);
        s.expandable = kind == ValueKind::ExpandString;
      }
    }
    showSlot(slot);
  }
  scroll_->setValue(0);
  scrollStrip(0);
}

void SystemIconsPage::receive(int slot, const IconChoice& choice) {
  Slot& s = slots_[index(slot)];
  s.location = choice.location;
  s.expandable = false;
  s.picture->setIcon(choice.icon);
  if (isVisible()) apply_->markPending();
}

WriteResult SystemIconsPage::apply() {
  RegistryHandle reg(app().registry());
  auto write = [&reg](const Slot& s, std::string_view name) {
    // A location that named a variable in an expandable value stays one, so
    // the shell still expands it.
    if (s.expandable && s.location.find('%') != std::string::npos) {
      reg.writeExpandString(name, s.location);
    } else {
      reg.writeString(name, s.location);
    }
  };
  reg.setRoot(Root::ClassesRoot);
  for (int slot : kClassKeySlots) {
    reg.closeKey();
    openForWrite(reg, kSlots[index(slot)].classKey);
    write(slots_[index(slot)], "");
  }
  reg.closeKey();
  openForWrite(reg, kRecycleBin);
  write(slots_[index(7)], "Empty");
  write(slots_[index(8)], "Full");

  reg.closeKey();
  reg.setRoot(Root::LocalMachine);
  openForWrite(reg, kShellIcons);
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    if (const char* value = kSlots[index(slot)].shellIcon) write(slots_[index(slot)], value);
  }
  return WriteResult::Done;
}

}  // namespace kelvaro

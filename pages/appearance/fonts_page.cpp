#include "pages/appearance/fonts_page.h"

#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/file_system.h"
#include "platform/fonts.h"
#include "store/registry_handle.h"
#include "store/store_patterns.h"
#include "store/text_codec.h"

namespace kelvaro {
namespace {

constexpr char kNtFonts[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
constexpr char k9xFonts[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts";
constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

struct Style {
  const char* caption;
  const char* button;
  const char* hint;
  std::array<const char*, 2> suffixes;  // looked up in this order; the first found wins
};

constexpr std::array<Style, FontsPage::kStyles> kStyleRows{{
    {"Normalna", "N", "Kliknij, aby usunąć typ normalny wybranej czcionki", {" (TrueType)", nullptr}},
    {"Pogrubiona",
     "B",
     "Kliknij, aby usunąć typ pogrubiony wybranej czcionki",
     {" Pogrubiony (TrueType)", " Bold (TrueType)"}},
    {"Kursywa",
     "I",
     "Kliknij, aby usunąć typ kursywa wybranej czcionki",
     {" Kursywa (TrueType)", " Italic (TrueType)"}},
    {"Pogrubiona kursywa",
     "BI",
     "Kliknij, aby usunąć typ pogrubiona kursywa wybranej czcionki",
     {" Pogrubiona kursywa (TrueType)", " Bold Italic (TrueType)"}},
}};

constexpr int kCellWidth = 14;
constexpr int kCellHeight = 22;
constexpr int kColumns = 32;

// Each family in its own typeface, one pixel in from the item's corner; as
// tall as "Wg" in that font plus two pixels. Asking for the font is what
// hands the family's files to Qt, so nothing is loaded until the list shows.
class FontItemDelegate : public QStyledItemDelegate {
 public:
  FontItemDelegate(Fonts& fonts, QObject* parent) : QStyledItemDelegate(parent), fonts_(fonts) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem base = option;
    initStyleOption(&base, index);
    base.text.clear();
    base.widget->style()->drawControl(QStyle::CE_ItemViewItem, &base, painter, base.widget);
    painter->save();
    painter->setFont(fontOf(index, option));
    painter->setPen(option.palette.color(option.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                               : QPalette::Text));
    painter->drawText(option.rect.adjusted(1, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      index.data().toString());
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QFontMetrics metrics(fontOf(index, option));
    return {metrics.horizontalAdvance(index.data().toString()) + 2, metrics.boundingRect("Wg").height() + 2};
  }

 private:
  QFont fontOf(const QModelIndex& index, const QStyleOptionViewItem& option) const {
    return fonts_.font(index.data().toString().toStdString(), option.font.pointSize());
  }
  Fonts& fonts_;
};

}  // namespace

FontsPage::FontsPage(AppContext& app, const PageInfo& info, QWidget* parent) : Page(app, info, parent) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(8, 6, 8, 6);

  list_ = new QListWidget(this);
  list_->setObjectName("fontList");
  list_->setToolTip(QStringLiteral("Lista dostępnych czcionek w systemie"));
  list_->setAccessibleName(QStringLiteral("Lista dostępnych czcionek w systemie"));
  list_->setAccessibleDescription(list_->toolTip());
  list_->setItemDelegate(new FontItemDelegate(app.fonts(), list_));
  list_->setFixedWidth(210);
  list_->installEventFilter(this);
  layout->addWidget(list_);

  auto* right = new QVBoxLayout;
  layout->addLayout(right, 1);
  auto* heading = new QLabel(QStringLiteral("Czcionka:\r\nDostępna jest w następujących wersjach"), this);
  heading->setObjectName("fontHeading");
  right->addWidget(heading);
  familyName_ = new QLabel(this);
  familyName_->setObjectName("fontFamilyName");
  familyName_->setToolTip(QStringLiteral("Nazwa wybranej czcionki"));
  QFont bold = familyName_->font();
  bold.setBold(true);
  familyName_->setFont(bold);
  right->addWidget(familyName_);
  auto* header = new QLabel(QStringLiteral("Typ czcionki                    Usuń typ     Nazwa pliku"), this);
  header->setObjectName("fontStyleHeader");
  right->addWidget(header);

  auto* rows = new QGridLayout;
  right->addLayout(rows);
  for (int s = 0; s < kStyles; ++s) {
    const Style& style = kStyleRows[s];
    auto* caption = new QLabel(QString::fromUtf8(style.caption), this);
    caption->setObjectName(QStringLiteral("fontStyle%1").arg(s));
    caption->setToolTip(QStringLiteral("Typ czcionki"));
    buttons_[s] = new QToolButton(this);
    buttons_[s]->setObjectName(QStringLiteral("fontStyleButton%1").arg(style.button));
    buttons_[s]->setText(QString::fromUtf8(style.button));
    buttons_[s]->setToolTip(QString::fromUtf8(style.hint));
    buttons_[s]->setCheckable(true);
    buttons_[s]->setFixedWidth(32);
    files_[s] = new QLabel(this);
    files_[s]->setObjectName(QStringLiteral("fontFile%1").arg(s));
    files_[s]->setToolTip(QStringLiteral("i odpowiadająca mu nazwa"));
    rows->addWidget(caption, s, 0);
    rows->addWidget(buttons_[s], s, 1);
    rows->addWidget(files_[s], s, 2);
    connect(buttons_[s], &QToolButton::toggled, this, [this] {
      bool anyDown = false;
      for (QToolButton* b : buttons_) anyDown = anyDown || b->isChecked();
      deleteButton_->setEnabled(anyDown);
    });
  }
  rows->setColumnStretch(2, 1);

  auto* commands = new QHBoxLayout;
  deleteButton_ = new QPushButton(QStringLiteral("Usuń czcionkę"), this);
  deleteButton_->setObjectName("fontDelete");
  deleteButton_->setToolTip(QStringLiteral("Usuń wybraną czcionkę"));
  previewButton_ = new QPushButton(QStringLiteral("Podgląd"), this);
  previewButton_->setObjectName("fontPreviewButton");
  previewButton_->setToolTip(QStringLiteral("Podgląd wybranej czcionki"));
  commands->addWidget(deleteButton_);
  commands->addWidget(previewButton_);
  commands->addStretch(1);
  right->addLayout(commands);

  previewArea_ = new QWidget(this);
  previewArea_->setObjectName("fontPreviewArea");
  previewArea_->setToolTip(QStringLiteral("Podgląd wybranej czcionki"));
  auto* previewLayout = new QVBoxLayout(previewArea_);
  previewLayout->setContentsMargins(0, 0, 0, 0);
  previewLine_ = new QLabel(previewArea_);
  previewLine_->setObjectName("fontPreviewLine");
  previewLine_->setToolTip(QStringLiteral("Nazwa czcionki"));
  picture_ = new QLabel(previewArea_);
  picture_->setObjectName("fontPreview");
  picture_->setToolTip(QStringLiteral("Podgląd wybranej czcionki"));
  picture_->setFixedSize(kColumns * kCellWidth, 7 * kCellHeight);
  previewLayout->addWidget(previewLine_);
  previewLayout->addWidget(picture_);
  right->addWidget(previewArea_);
  right->addStretch(1);
  previewArea_->hide();

  connect(list_, &QListWidget::currentRowChanged, this, [this] {
    if (!removing_) select();
  });
  connect(previewButton_, &QPushButton::clicked, this, &FontsPage::showPreview);
  connect(deleteButton_, &QPushButton::clicked, this, &FontsPage::remove);
}

void FontsPage::resetTransient() { previewArea_->hide(); }

void FontsPage::showEvent(QShowEvent* event) {
  // Listed once, when the page is first shown (reading every font file
  // is what start-up would otherwise wait for); a re-read does not list
  // them again.
  if (!listed_) {
    listed_ = true;
    for (const std::string& family : app().fonts().families()) list_->addItem(QString::fromStdString(family));
  }
  Page::showEvent(event);
}

std::string FontsPage::family() const {
  const QListWidgetItem* item = list_->currentItem();
  return item ? item->text().toStdString() : std::string();
}

void FontsPage::load() {
  familyName_->clear();
  for (int s = 0; s < kStyles; ++s) {
    // Released too, so that Delete after a re-read deletes nothing unseen.
    buttons_[s]->setChecked(false);
    buttons_[s]->setEnabled(false);
    files_[s]->clear();
  }
  deleteButton_->setEnabled(false);
  previewButton_->setEnabled(false);
}

void FontsPage::select() {
  const std::string name = family();
  if (name.empty()) return;
  familyName_->setText(QString::fromStdString(name));
  bool any = false;
  run([&] {
    RegistryHandle reg(app().registry());
    reg.setRoot(Root::LocalMachine);
    if (!openForRead(reg, kNtFonts)) {
      reg.closeKey();
      openForRead(reg, k9xFonts);
    }
    for (int s = 0; s < kStyles; ++s) {
      std::string file;
      bool registered = false;
      for (const char* suffix : kStyleRows[s].suffixes) {
        if (!suffix || !reg.hasOpenKey()) continue;
        const std::string value = name + suffix;
        if (reg.valueExists(value)) {
          file = guardedReadString(reg, value);
          registered = true;
          break;
        }
      }
      files_[s]->setText(QString::fromStdString(file));
      buttons_[s]->setChecked(false);
      buttons_[s]->setEnabled(registered);
      any = any || registered;
    }
  });
  previewButton_->setEnabled(any);
  deleteButton_->setEnabled(false);
}

void FontsPage::showPreview() {
  const std::string name = family();
  const QFont font = app().fonts().font(name, this->font().pointSize());
  const std::string codePage = app().environment().ansiCodePage();
  QImage image(kColumns * kCellWidth, 7 * kCellHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setFont(font);
  painter.setPen(Qt::black);
  for (int c = 32; c <= 255; ++c) {
    // The environment's code page says which character each code is.
    const QString text =
        QString::fromStdString(decodeCodePage(std::string(1, static_cast<char>(c)), codePage));
    if (text == QChar(QChar::ReplacementCharacter)) continue;
    const QRect cell(((c - 32) % kColumns) * kCellWidth, ((c - 32) / kColumns) * kCellHeight, kCellWidth,
                     kCellHeight);
    painter.save();
    painter.setClipRect(cell);
    painter.drawText(cell, Qt::AlignLeft | Qt::AlignTop, text);
    painter.restore();
  }
  painter.end();
  previewLine_->setText(QStringLiteral("Czcionka: ") + QString::fromStdString(name));
  picture_->setPixmap(QPixmap::fromImage(image));
  previewArea_->show();
}

void FontsPage::remove() {
  run([this] {
    std::string folder;
    {
      RegistryHandle reg(app().registry());
      // Read without the guard: a value of another kind is the store's error.
      if (openForRead(reg, kShellFolders) && reg.valueExists("Fonts")) folder = reg.readString("Fonts");
    }
    folder += "\\";
    std::array<bool, kStyles> down{};
    bool anyDown = false;
    for (int s = 0; s < kStyles; ++s) anyDown = anyDown || (down[s] = buttons_[s]->isChecked());
    const std::string name = family().empty() ? familyName_->text().toStdString() : family();
    if (!anyDown) {
      app().dialogs().message("Nie wybrałeś żadnego typu do skasowania.");
    } else if (QListWidgetItem* item = list_->currentItem()) {
      // The rows keep showing the family until another one is chosen.
      removing_ = true;
      delete list_->takeItem(list_->row(item));
      list_->setCurrentRow(-1);
      list_->clearSelection();
      removing_ = false;
    }
    for (int s = 0; s < kStyles; ++s) {
      const std::string file = files_[s]->text().toStdString();
      if (!down[s] || file.empty()) continue;
      const std::string path = folder + file;
      if (!app().files().fileExists(path) || !app().files().deleteFile(path))
        app().dialogs().message("Nie mogę skasować pliku " + path +
                                " lub jest on zabezpieczony przed usunięciem.");
    }
    deleteButton_->setEnabled(false);
    // Only the 9x registrations go; an NT key keeps its entries.
    RegistryHandle reg(app().registry());
    reg.setRoot(Root::LocalMachine);
    if (!anyDown || !openForRead(reg, k9xFonts)) return;
    for (int s = 0; s < kStyles; ++s) {
      if (!down[s]) continue;
      for (const char* suffix : kStyleRows[s].suffixes) {
        if (suffix && reg.valueExists(name + suffix)) reg.deleteValue(name + suffix);
      }
    }
  });
}

bool FontsPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Delete) {
      remove();
      return true;
    }
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
        key->modifiers() & Qt::ControlModifier) {
      showPreview();
      return true;
    }
  }
  return Page::eventFilter(watched, event);
}

}  // namespace kelvaro

#include "pages/shell/new_menu_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

#include "pages/widgets/hinted_button.h"
#include "platform/icons.h"
#include "store/registry_handle.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {

constexpr std::array<const char*, 3> kTemplateValues{"NullFile", "FileName", "Data"};

QString upper(const std::string& text) { return QString::fromStdString(text).toUpper(); }

// The default value of a key when it is a string, else empty; the key is
// only opened, never created.
std::string defaultText(RegistryHandle& reg, const std::string& path) {
  reg.closeKey();
  if (!reg.openKey(path, false)) return {};
  return guardedReadString(reg, "");
}

QIcon stateIcon(bool active) {
  QPixmap picture(16, 16);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  if (active) {
    painter.setPen(QPen(QColor(0, 160, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
  } else {
    painter.setPen(QPen(QColor(210, 0, 0), 2.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(4, 4), QPointF(12, 12));
    painter.drawLine(QPointF(12, 4), QPointF(4, 12));
  }
  return QIcon(picture);
}

void showPicture(QLabel* label, const QImage& picture) {
  if (picture.isNull()) {
    label->clear();
  } else {
    label->setPixmap(QPixmap::fromImage(picture));
  }
}

}  // namespace

std::vector<NewMenuEntry> readNewMenuEntries(Registry& registry) {
  RegistryHandle reg(registry);
  reg.setRoot(Root::ClassesRoot);
  std::vector<QString> extensions;
  if (reg.openKey("\\", false)) {
    for (const std::string& name : reg.subkeyNames()) {
      if (!name.empty() && name.front() == '.') extensions.push_back(QString::fromStdString(name));
    }
  }
  std::stable_sort(extensions.begin(), extensions.end(),
                   [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });

  std::vector<NewMenuEntry> entries;
  for (const QString& ext : extensions) {
    const std::string extension = ext.toStdString();
    const std::string typeName = defaultText(reg, "\\" + extension);
    NewMenuEntry entry;
    std::string fallback;
    if (reg.keyExists("\\" + extension + "\\ShellNew")) {
      entry.key = extension + "\\ShellNew";
      fallback = upper(extension.substr(1)).toStdString();
    } else if (!typeName.empty() && typeName.find('\\') == std::string::npos &&
               reg.keyExists("\\" + extension + "\\" + typeName + "\\ShellNew")) {
      entry.key = extension + "\\" + typeName + "\\ShellNew";
      fallback = upper(typeName).toStdString();
    } else {
      continue;
    }
    // The type's description names the entry; a type name with a backslash names no key of its own.
    if (!typeName.empty() && typeName.find('\\') == std::string::npos)
      entry.name = defaultText(reg, "\\" + typeName);
    if (entry.name.empty()) entry.name = fallback;
    entry.extension = upper(extension.substr(1)).toStdString();
    reg.closeKey();
    if (reg.openKey("\\" + entry.key, false)) {
      entry.active = std::any_of(kTemplateValues.begin(), kTemplateValues.end(),
                                 [&reg](const char* value) { return reg.valueExists(value); });
    }
    entries.push_back(std::move(entry));
  }
  std::stable_sort(entries.begin(), entries.end(), [](const NewMenuEntry& a, const NewMenuEntry& b) {
    return QString::fromStdString(a.name).localeAwareCompare(QString::fromStdString(b.name)) < 0;
  });
  return entries;
}

NewMenuPage::NewMenuPage(AppContext& app, const PageInfo& info, QWidget* parent) : Page(app, info, parent) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);

  list_ = new QTreeWidget(this);
  list_->setObjectName("MenuNOWYLista");
  list_->setToolTip(QStringLiteral(
      "Pozycje w menu NOWY (Zielonymi \"fajkami\" zaznaczone są aktywne pozycje, czerwony znaczek \"x\"  "
      "określa nieaktywną pozycję)"));
  list_->setAccessibleName(QStringLiteral("Pozycje w menu NOWY"));
  list_->setAccessibleDescription(list_->toolTip());
  list_->setHeaderLabels({QStringLiteral("Pozycja w menu NOWY"), QStringLiteral("Rozszerzenie")});
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->header()->resizeSection(0, 200);
  list_->header()->setAccessibleName(QStringLiteral("Pozycja w menu NOWY, Rozszerzenie"));
  list_->verticalScrollBar()->setAccessibleName(list_->accessibleName());
  list_->horizontalScrollBar()->setAccessibleName(list_->accessibleName());
  layout->addWidget(list_, 3);

  auto* side = new QVBoxLayout;
  auto* group = new QGroupBox(QStringLiteral("Właściwości wybranej pozycji:"), this);
  group->setObjectName("MenuNOWYWlasciwosci");
  auto* grid = new QGridLayout(group);
  auto addRow = [&](int row, const QString& caption, const char* name) {
    auto* label = new QLabel(caption, group);
    label->setObjectName(QString::fromLatin1(name) + "Podpis");
    grid->addWidget(label, row * 2, 0, 1, 2);
  };
  addRow(0, QStringLiteral("nazwa pozycji w menu \"NOWY\""), "MenuNOWYNazwa");
  name_ = new QLabel(group);
  name_->setObjectName("MenuNOWYNazwa");
  grid->addWidget(name_, 1, 0, 1, 2);
  addRow(1, QStringLiteral("tworzy nowy plik z rozszerzeniem"), "MenuNOWYRozszerzenie");
  extension_ = new QLabel(group);
  extension_->setObjectName("MenuNOWYRozszerzenie");
  grid->addWidget(extension_, 3, 0, 1, 2);
  addRow(2, QStringLiteral("ikona tworzonego pliku i pozycji w menu"), "MenuNOWYIkony");
  smallIcon_ = new QLabel(group);
  smallIcon_->setObjectName("MenuNOWYMalaIkona");
  smallIcon_->setFixedSize(16, 16);
  smallIcon_->setToolTip(QStringLiteral("Obrazek znajdujący się obok nazwy w menu \"NOWY\""));
  largeIcon_ = new QLabel(group);
  largeIcon_->setObjectName("MenuNOWYDuzaIkona");
  largeIcon_->setFixedSize(32, 32);
  largeIcon_->setToolTip(
      QStringLiteral("Ikona nowoutworzonego pliku za pomocą wybranej pozycji z menu \"NOWY\""));
  grid->addWidget(smallIcon_, 5, 0, Qt::AlignLeft | Qt::AlignVCenter);
  grid->addWidget(largeIcon_, 5, 1, Qt::AlignLeft);
  addRow(3, QStringLiteral("pozycja aktywna/nieaktywna"), "MenuNOWYStan");
  state_ = new QLabel(group);
  state_->setObjectName("MenuNOWYStan");
  QFont bold = state_->font();
  bold.setBold(true);
  state_->setFont(bold);
  grid->addWidget(state_, 7, 0, 1, 2);
  side->addWidget(group);

  deactivate_ = hintedButton(QStringLiteral("Deaktywuj"), QStringLiteral("Deaktywuj wybraną pozycję"),
                             "MenuNOWYDeaktywuj", this);
  activate_ = hintedButton(QStringLiteral("Aktywuj"), QStringLiteral("Aktywuj wybraną pozycję"),
                           "MenuNOWYAktywuj", this);
  side->addWidget(deactivate_);
  side->addWidget(activate_);
  side->addStretch(1);
  layout->addLayout(side, 2);

  connect(list_, &QTreeWidget::itemSelectionChanged, this, &NewMenuPage::selectionChanged);
  connect(deactivate_, &QPushButton::clicked, this, [this] { setActive(false); });
  connect(activate_, &QPushButton::clicked, this, [this] { setActive(true); });
  clearDetails();
}

void NewMenuPage::load() {
  {
    const QSignalBlocker blocker(list_);
    list_->clear();
  }
  entries_ = readNewMenuEntries(app().registry());
  const QIcon on = stateIcon(true);
  const QIcon off = stateIcon(false);
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(entries_.size()));
  for (const NewMenuEntry& entry : entries_) {
    auto* item =
        new QTreeWidgetItem({QString::fromStdString(entry.name), QString::fromStdString(entry.extension)});
    item->setIcon(0, entry.active ? on : off);
    items.append(item);
  }
  {
    const QSignalBlocker blocker(list_);
    list_->addTopLevelItems(items);
  }
  clearDetails();
}

void NewMenuPage::clearDetails() {
  name_->clear();
  extension_->clear();
  smallIcon_->clear();
  largeIcon_->clear();
  state_->clear();
  selectedKey_.clear();
  for (QPushButton* button : {deactivate_, activate_}) {
    button->hide();
    button->setEnabled(false);
  }
}

void NewMenuPage::selectionChanged() {
  const QList<QTreeWidgetItem*> selected = list_->selectedItems();
  if (selected.isEmpty()) return;
  const auto row = static_cast<std::size_t>(list_->indexOfTopLevelItem(selected.front()));
  if (row >= entries_.size()) return;
  const NewMenuEntry& entry = entries_[row];
  name_->setText(QString::fromStdString(entry.name));
  extension_->setText(QString::fromStdString(entry.extension));
  const Icon icon = app().icons().fileTypeIcon(entry.extension);
  showPicture(smallIcon_, icon.small);
  showPicture(largeIcon_, icon.large);
  state_->setText(entry.active ? QStringLiteral("AKTYWNA") : QStringLiteral("NIEAKTYWNA"));
  deactivate_->setVisible(entry.active);
  deactivate_->setEnabled(entry.active);
  activate_->setVisible(!entry.active);
  activate_->setEnabled(!entry.active);
  selectedKey_ = entry.key;
}

void NewMenuPage::setActive(bool active) {
  if (selectedKey_.empty()) return;
  const std::string key = selectedKey_;
  run([&] {
    RegistryHandle reg(app().registry());
    reg.setRoot(Root::ClassesRoot);
    reg.openKey("\\" + key, true);
    if (active) {
      reg.writeString("NullFile", "");
      reg.writeString("FileName", "");
    } else {
      for (const char* value : kTemplateValues) {
        if (reg.valueExists(value)) reg.deleteValue(value);
      }
    }
  });
  run([this] { reload(); });
}

}  // namespace kelvaro

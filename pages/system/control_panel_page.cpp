#include "pages/system/control_panel_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>
#include <vector>

namespace kelvaro {
namespace {

constexpr char kSystem[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
constexpr char kNetwork[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Network";
constexpr char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

enum Group { Display, Passwords, SystemPages, Printers, NetworkPages, kGroups };

struct Restriction {
  Group group;
  bool master;
  const char* key;
  const char* value;
  const char* caption;
  const char* hint;
};

// In the order the loader reads them: the System key, then Network, then
// Explorer (the printers master first).
constexpr std::array<Restriction, 22> kRestrictions{{
    {Display, true, kSystem, "NoDispCPL", "Zablokuj dostęp do \"Właściwości ekranu\"",
     "Uniemożliwi włączanie karty \"Ekran\" w Panelu Sterowania"},
    {Display, false, kSystem, "NoDispBackgroundPage", "Zablokuj zakładkę \"Tło\"",
     "Ukrywa stronę \"Tło\" w karcie \"Właściwości: Ekran\" "},
    {Display, false, kSystem, "NoDispScrSavPage", "Zablokuj zakładkę \"Wygaszacz ekranu\"",
     "Ukrywa stronę \"Wygaszacz ekranu\" w karcie \"Właściwości: Ekran\" "},
    {Display, false, kSystem, "NoDispAppearancePage", "Zablokuj zakładkę \"Wygląd\"",
     "Ukrywa stronę \"Wygląd\" w karcie \"Właściwości: Ekran\" "},
    {Display, false, kSystem, "NoDispSettingsPage", "Zablokuj zakładkę \"Ustawienia\"",
     "Ukrywa stronę \"Ustawienia\" w karcie \"Właściwości: Ekran\" "},
    {Passwords, true, kSystem, "NoSecCPL", "Zablokuj dostęp do \"Hasła\"",
     "Uniemożliwi włączanie karty \"Hasła\" w Panelu Sterowania"},
    {Passwords, false, kSystem, "NoPwdPage", "Zablokuj kartę \"Zmień hasło\"",
     "Ukrywa stronę \"Zmień hasło\" w karcie \"Właściwości: Hasła\""},
    {Passwords, false, kSystem, "NoAdminPage", "Zablokuj kartę \"Zdalne Administrowanie\"",
     "Ukrywa stronę \"Zdalne administrowanie\" w karcie \"Właściwości: Hasła\""},
    {Passwords, false, kSystem, "NoProfilePage", "Zablokuj kartę \"Profile użytkownika\"",
     "Ukrywa stronę \"Profile użytkownika\" w karcie \"Właściwości: Hasła\""},
    {SystemPages, false, kSystem, "NoDevMgrPage", "Zablokuj zakładkę \"Menedżer użądzeń\"",
     "Ukrywa stronę \"Menedżer urządzeń\" w karcie \"Właściwości: System\""},
    {SystemPages, false, kSystem, "NoConfigPage", "Zablokuj zakładkę \"Profile sprzętu\"",
     "Ukrywa stronę \"Profile sprzetu\" w karcie \"Właściwości: System\""},
    {SystemPages, false, kSystem, "NoFileSysPage", "Ukryj przycisk \"System plików\"",
     "Ukrywa przycisk \"System plików\" w karcie \"Właściwości: System\""},
    {SystemPages, false, kSystem, "NoVirtMemPage", "Ukryj przycisk \"Pamięć wirtualna\"",
     "Ukrywa przycisk \"Pamięć wirtuana\" w karcie \"Właściwości: System\""},
    {NetworkPages, true, kNetwork, "NoNetSetup", "Zablokuj dostęp do \"Sieć\"",
     "Uniemożliwi włączanie karty \"Sieć\" w Panelu Sterowania"},
    {NetworkPages, false, kNetwork, "NoNetSetupIDPage", "Zablokuj zakładkę \"Identyfikacja\"",
     "Ukrywa stronę \"Identyfikacja\" w karcie \"Właściwości: Sieć\""},
    {NetworkPages, false, kNetwork, "NoNetSetupSecurityPage", "Zablokuj zakładkę \"Kontrola dostępu\"",
     "Ukrywa stronę \"Kontrola dostępu\" w karcie \"Właściwości: Sieć\""},
    {NetworkPages, false, kNetwork, "NoFileSharingControl", "Zablokuj udostępnianie plików",
     "Wyłącza kontrolę nad współużytkowaniem plików"},
    {NetworkPages, false, kNetwork, "NoPrintSharingControl", "Zablokuj udostępnianie drukarek",
     "Wyłącza kontrolę nad współużytkowaniem drukarek"},
    {Printers, true, kExplorer, "NoPrinters", "Zablokuj dostęp do \"Drukarki\"",
     "Uniemożliwi włączanie karty \"Drukarki\" w Panelu Sterowania"},
    {Printers, false, kExplorer, "NoPrinterTabs", "Zablokuj zakładkę \"Ogólne i Szczegóły\"",
     "Ukrywa stronę \"Ogólne i Szczególy\" w karcie \"Właściwości: Drukarka\""},
    {Printers, false, kExplorer, "NoAddPrinter", "Wyłącz \"Dodawanie drukarek\"",
     "Uniemożliwia zainstalowanie nowej drukarki"},
    {Printers, false, kExplorer, "NoDeletePrinter", "Wyłącz \"Usuwanie drukarek\"",
     "Uniemożliwia usunięcie zainstalowanej drukarki z sysemu"},
}};

}  // namespace

ControlPanelPage::ControlPanelPage(AppContext& app, const PageInfo& info, QWidget* parent)
    : Page(app, info, parent) {
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(8, 6, 8, 6);
  layout->setVerticalSpacing(4);
  auto* warning = new QLabel(
      QStringLiteral("Uwaga: Zakładka ta zawiera opcje, które mogą ograniczyć właściwości systemu"), this);
  warning->setObjectName("ograniczeniaWarning");
  warning->setStyleSheet("color: #a00000; font-weight: bold;");
  layout->addWidget(warning, 0, 0, 1, 2);

  // Display, passwords and the system group on the left; printers and network on the right.
  std::array<QGroupBox*, kGroups> groups{};
  std::array<QVBoxLayout*, kGroups> rows{};
  constexpr std::array<const char*, kGroups> kGroupNames{"displayGroup", "passwordsGroup", "systemGroup",
                                                         "printersGroup", "networkGroup"};
  for (int g = 0; g < kGroups; ++g) {
    groups[g] =
        new QGroupBox(g == SystemPages ? QStringLiteral("Karta \"Właściwości: System\"") : QString(), this);
    groups[g]->setObjectName(kGroupNames[g]);
    rows[g] = new QVBoxLayout(groups[g]);
    rows[g]->setContentsMargins(6, 2, 6, 2);
    rows[g]->setSpacing(0);
  }
  auto* left = new QVBoxLayout;
  auto* right = new QVBoxLayout;
  for (Group g : {Display, Passwords, SystemPages}) left->addWidget(groups[g]);
  for (Group g : {Printers, NetworkPages}) right->addWidget(groups[g]);
  left->addStretch(1);
  layout->addLayout(left, 1, 0);
  layout->addLayout(right, 1, 1);

  auto* applyButton = new QPushButton(QStringLiteral("Zastosuj"), this);
  applyButton->setObjectName("ograniczeniaApply");
  applyButton->setToolTip(QStringLiteral("Wprowadź zmiany"));
  right->addStretch(1);
  right->addWidget(applyButton, 0, Qt::AlignRight);
  ApplyCommand& apply = addApplyCommand(applyButton, {.setsRestartNeeded = true});

  std::array<QCheckBox*, kGroups> masters{};
  std::array<std::vector<QCheckBox*>, kGroups> members;
  for (const Restriction& r : kRestrictions) {
    auto* box = new QCheckBox(QString::fromUtf8(r.caption), groups[r.group]);
    box->setObjectName(r.value);
    box->setToolTip(QString::fromUtf8(r.hint));
    apply.bindCheckBox(box, {Root::CurrentUser, r.key, r.value, Pattern::PrunedFlag});
    apply.runOnEnter(box);
    if (r.master) {
      masters[r.group] = box;
    } else {
      members[r.group].push_back(box);
    }
  }
  // Each group shows its master first, then the others in the table's order.
  for (int g = 0; g < kGroups; ++g) {
    if (masters[g]) rows[g]->addWidget(masters[g]);
    for (QCheckBox* box : members[g]) rows[g]->addWidget(box);
  }
  // A checked master disables the rest of its group; their checks stay and
  // are written. Also while loading, as the loader sets the boxes.
  for (int g = 0; g < kGroups; ++g) {
    if (!masters[g]) continue;
    connect(masters[g], &QCheckBox::toggled, this, [boxes = members[g]](bool checked) {
      for (QCheckBox* box : boxes) box->setEnabled(!checked);
    });
  }
}

}  // namespace kelvaro

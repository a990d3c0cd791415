#include "app/page_factory.h"

#include <string_view>

#include "app/about_page.h"
#include "app/help_page.h"
#include "app/options_page.h"
#include "app/windows_page.h"
#include "pages/appearance/colors_page.h"
#include "pages/appearance/cursor_page.h"
#include "pages/appearance/fonts_page.h"
#include "pages/appearance/sound_page.h"
#include "pages/appearance/system_icons_page.h"
#include "pages/desktop/desktop_page.h"
#include "pages/logos/logo_page.h"
#include "pages/logos/oem_page.h"
#include "pages/shell/context_menu_page.h"
#include "pages/shell/explorer_page.h"
#include "pages/shell/favorites_page.h"
#include "pages/shell/file_icons_page.h"
#include "pages/shell/file_types_page.h"
#include "pages/shell/folder_icons_page.h"
#include "pages/shell/hidden_folder_page.h"
#include "pages/shell/info_tips_page.h"
#include "pages/shell/new_menu_page.h"
#include "pages/shell/object_names_page.h"
#include "pages/shell/open_with_page.h"
#include "pages/shell/quick_launch_page.h"
#include "pages/shell/recent_documents_page.h"
#include "pages/shell/send_to_page.h"
#include "pages/shell/shell_folders_page.h"
#include "pages/shell/shortcuts_page.h"
#include "pages/shell/start_menu_page.h"
#include "pages/shell/tricks_page.h"
#include "pages/system/control_panel_page.h"
#include "pages/system/history_page.h"
#include "pages/system/installed_programs_page.h"
#include "pages/system/internet_page.h"
#include "pages/system/network_page.h"
#include "pages/system/nt_settings_page.h"
#include "pages/system/startup_programs_page.h"

namespace kelvaro {

Page* createPage(AppContext& app, const PageInfo& info, QWidget* parent) {
  const std::string_view id = info.id;
  if (id == "kursory") return new CursorPage(app, info, parent);
  if (id == "kolory") return new ColorsPage(app, info, parent);
  if (id == "windows") return new WindowsPage(app, info, parent);
  if (id == "czcionki") return new FontsPage(app, info, parent);
  if (id == "dzwieki") return new SoundPage(app, info, parent);
  if (id == "logo") return new LogoPage(app, info, parent);
  if (id == "OEM") return new OemPage(app, info, parent);
  if (id == "foldery") return new ShellFoldersPage(app, info, parent);
  if (id == "ikony") return new SystemIconsPage(app, info, parent);
  if (id == "pliki") return new FileIconsPage(app, info, parent);
  if (id == "typyplikow") return new FileTypesPage(app, info, parent);
  if (id == "MenuNOWY") return new NewMenuPage(app, info, parent);
  if (id == "menukontekstowe") return new ContextMenuPage(app, info, parent);
  if (id == "Menu") return new OpenWithPage(app, info, parent);
  if (id == "IkonyFolderow") return new FolderIconsPage(app, info, parent);
  if (id == "SendTo") return new SendToPage(app, info, parent);
  if (id == "Doki") return new RecentDocumentsPage(app, info, parent);
  if (id == "SzybkieUruchamianie") return new QuickLaunchPage(app, info, parent);
  if (id == "UlubionePage2") return new FavoritesPage(app, info, parent);
  if (id == "UkryjFolder") return new HiddenFolderPage(app, info, parent);
  if (id == "skroty") return new ShortcutsPage(app, info, parent);
  if (id == "Nazwy") return new ObjectNamesPage(app, info, parent);
  if (id == "podpowiedzi") return new InfoTipsPage(app, info, parent);
  if (id == "menustart") return new StartMenuPage(app, info, parent);
  if (id == "AutoRUN") return new StartupProgramsPage(app, info, parent);
  if (id == "ustawienia") return new HistoryPage(app, info, parent);
  if (id == "dodajusun") return new InstalledProgramsPage(app, info, parent);
  if (id == "SystemNT") return new NtSettingsPage(app, info, parent);
  if (id == "ograniczenia") return new ControlPanelPage(app, info, parent);
  if (id == "internet") return new InternetPage(app, info, parent);
  if (id == "Siec") return new NetworkPage(app, info, parent);
  if (id == "triki") return new TricksPage(app, info, parent);
  if (id == "explorer2") return new ExplorerPage(app, info, parent);
  if (id == "pulpit") return new DesktopPage(app, info, parent);
  if (id == "Properties") return new OptionsPage(app, info, parent);
  if (id == "pomoc") return new HelpPage(app, info, parent);
  if (id == "oprog") return new AboutPage(app, info, parent);
  return nullptr;
}

}  // namespace kelvaro

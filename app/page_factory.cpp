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
#include "pages/shell/shell_folders_page.h"
#include "pages/system/control_panel_page.h"
#include "pages/system/history_page.h"
#include "pages/system/installed_programs_page.h"
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
  if (id == "foldery") return new ShellFoldersPage(app, info, parent);
  if (id == "AutoRUN") return new StartupProgramsPage(app, info, parent);
  if (id == "ustawienia") return new HistoryPage(app, info, parent);
  if (id == "dodajusun") return new InstalledProgramsPage(app, info, parent);
  if (id == "SystemNT") return new NtSettingsPage(app, info, parent);
  if (id == "ograniczenia") return new ControlPanelPage(app, info, parent);
  if (id == "Properties") return new OptionsPage(app, info, parent);
  if (id == "pomoc") return new HelpPage(app, info, parent);
  if (id == "oprog") return new AboutPage(app, info, parent);
  return nullptr;
}

}  // namespace kelvaro

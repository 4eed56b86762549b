#include "app/season_offer.h"

#include <system_error>

#include "app/command_line.h"
#include "shell/dialogs.h"
#include "shell/form2.h"
#include "shell/season_diagnosis.h"

namespace vnt::app {

namespace fs = std::filesystem;

bool offerSampleSeasons(Form2& form, Dialogs& dialogs, const fs::path& folder,
                        const fs::path& samples) {
  for (const Control& option : form.optYear) {
    if (option.enabled) return false;
  }
  std::error_code error;
  const bool samplesElsewhere =
      !samples.empty() && !fs::equivalent(samples, folder, error) && holdsSeasonFile(samples);
  const std::string prompt =
      noSeasonPrompt(folder.string(), form.unofferedSeasons, samplesElsewhere);
  if (!samplesElsewhere) {
    dialogs.ok(prompt, "");
    return false;
  }
  if (!dialogs.yesNo(prompt, "")) return false;
  fs::current_path(samples, error);
  if (error) {
    dialogs.ok("Cannot open the sample seasons in\r" + samples.string(), "");
    return false;
  }
  form.checkSeasonAvailability();
  return true;
}

}  // namespace vnt::app

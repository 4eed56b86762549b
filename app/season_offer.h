#pragma once

// When the season folder gives no season at all: the player is told once why, in a message
// box, and offered the sample seasons installed with the program.

#include <filesystem>

namespace vnt {
class Dialogs;
class Form2;
}  // namespace vnt

namespace vnt::app {

// `form` has checked `folder` (the working directory). When it offers no season, says so
// through `dialogs`; when `samples` holds season files and is another folder, asks whether
// to use them and on Yes makes it the working directory and checks it. True when the samples
// were taken.
bool offerSampleSeasons(Form2& form, Dialogs& dialogs, const std::filesystem::path& folder,
                        const std::filesystem::path& samples);

}  // namespace vnt::app

#pragma once

// The season files as the program reads them, one header for each job:
#include "shell/season_diagnosis.h"  // the Deep and BPE checks and why a file fails them
#include "shell/season_fields.h"     // the field syntax every season file shares
#include "shell/season_folder.h"     // finding and opening a season file safely
#include "shell/season_records.h"    // the records the charts look up at roll time
#include "shell/season_text.h"       // byte-order mark, UTF-8 and Windows-1252

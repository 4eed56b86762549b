#pragma once

#include <map>
#include <string>
#include <vector>

#include "source_tables.h"

namespace vnt::seasons {

// The four season files, by file name ("1987Deep.vnt" ...), contents with CR LF breaks.
// Throws SourceError when the crazy plays chosen for the season do not cover 0..999.
std::map<std::string, std::string> renderSeason(const Season& season, const Sources& sources);

std::string renderDeep(const std::vector<Park>& parks);
std::string renderBpe(const std::vector<Park>& parks);
std::string renderWeather(const std::vector<Park>& parks,
                          const std::map<std::string, Climate>& climates);
std::string renderCrazyPlays(int year, const std::vector<CrazyPlay>& plays);

}  // namespace vnt::seasons

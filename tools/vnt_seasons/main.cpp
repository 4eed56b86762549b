// vnt-seasons: turns the readable season tables into the bundled season files.
//
//   vnt-seasons SOURCE_DIR OUT_DIR
//
// Every SOURCE_DIR/seasons/<year>.txt gives OUT_DIR/<year>Deep.vnt, <year>BPE.vnt,
// <year>Weather.vnt and <year>CPlay.vnt. Nothing is written unless every table reads cleanly.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>

#include "season_writer.h"
#include "source_tables.h"

namespace {

namespace fs = std::filesystem;

bool writeFile(const fs::path& path, const std::string& contents) {
  // Binary, so the CR LF breaks are written as they are on every system.
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: vnt-seasons SOURCE_DIR OUT_DIR\n";
    return 2;
  }
  const fs::path sourceDir = argv[1];
  const fs::path outDir = argv[2];

  std::map<std::string, std::string> files;
  try {
    const vnt::seasons::Sources sources = vnt::seasons::loadSources(sourceDir);
    for (const vnt::seasons::Season& season : sources.seasons) {
      files.merge(vnt::seasons::renderSeason(season, sources));
    }
  } catch (const vnt::seasons::SourceError& error) {
    std::cerr << "vnt-seasons: " << error.what() << "\n";
    return 1;
  }

  std::error_code error;
  fs::create_directories(outDir, error);
  if (error) {
    std::cerr << "vnt-seasons: " << outDir.string() << ": " << error.message() << "\n";
    return 1;
  }
  for (const auto& [name, contents] : files) {
    if (!writeFile(outDir / name, contents)) {
      std::cerr << "vnt-seasons: cannot write " << (outDir / name).string() << "\n";
      return 1;
    }
  }
  std::cout << "vnt-seasons: wrote " << files.size() << " files to " << outDir.string() << "\n";
  return 0;
}

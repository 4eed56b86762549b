// The tool-window tests' program: the Odds and Game Log windows stand beside the main window,
// so they run on a screen wide enough for both side by side.

#include <gtest/gtest.h>

#include <QApplication>

#include "ui/qt/private_runtime.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" VNT_SOURCE_DIR "/tests/qt/wide_screen.json");
  }
  vnt::qt::usePrivateRuntimeFolder();
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

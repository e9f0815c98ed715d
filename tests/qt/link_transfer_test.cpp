// A whole read and a whole write through the real stack: the Qt platform offscreen, its serial
// line on the pseudo-terminal of a running j5-radio-sim that paces its answers at 9600 baud.

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <cstdlib>
#include <filesystem>

#include "data/defaults.h"
#include "link/Form_Comm_Read.h"
#include "link/Form_Comm_Write.h"
#include "qt_fixture.h"
#include "shell/MDImain.h"
#include "shell/program.h"
#include "sim/memory.h"
#include "sim/sim_process.h"

namespace {

// Answers every message box at once and keeps its text.
struct Box_Closer {
  QStringList texts;
  QTimer timer;
  Box_Closer() {
    QObject::connect(&timer, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        texts << box->text();
        box->accept();
      }
    });
    timer.start(10);
  }
};

TEST(LinkOverPty, WholeReadThenWholeWrite) {
  qt_test::testApp();
  const auto dir =
      std::filesystem::temp_directory_path() / ("j5-link-qt-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string loadFile = (dir / "radio.dat").string(),
                    dumpFile = (dir / "after.dat").string();
  sim::Memory radio;
  for (int a = 0; a < 0x1800; ++a)
    radio.set(static_cast<std::uint16_t>(a), static_cast<std::uint8_t>(a * 7 + a / 256));
  sim::saveParamFile(loadFile, radio);
  simtest::SimProcess sim(J5_SIM_BIN, {"--pacing", "on", "--load", loadFile, "--dump", dumpFile});
  qputenv("J5_SERIAL_PORTS", QByteArray::fromStdString(sim.ptyPath()));

  kit::qt::QtPlatform platform;
  Box_Closer boxes;
  {
    j5::Program program(platform);
    j5::Shared_Data& data = program.data;
    j5::Fill_Access_Code(data);
    data.Lang_Chn = j5::kFalse;
    data.Comm_Port = 1;
    j5::Init_Factory_Image(data);

    auto& r = program.Form_Comm_Read.load();
    qt_test::pump(50);
    qt_test::click(platform.widgetOf(r.Command_read));
    ASSERT_TRUE(r.Link.Link_Busy());
    ASSERT_TRUE(qt_test::waitUntil([&] { return !boxes.texts.isEmpty(); }, 120000));
    EXPECT_EQ(boxes.texts, QStringList{"Complete reading the data from transceiver."});
    EXPECT_EQ(r.Label_tr_count.caption(), "Read Signal parameters in gear. ");
    for (std::size_t row = 0; row <= 383; ++row)
      for (std::size_t c = 0; c < 16; ++c)
        ASSERT_EQ(data.Mem_Image(row, c),
                  row == 207 ? 0xFF : radio.at(static_cast<std::uint16_t>(row * 16 + c)))
            << row << " " << c;
    r.Command_Cancel.userClick();
    qt_test::pump(20);
    ASSERT_FALSE(program.Form_Comm_Read.loaded());

    // Change a channel and its name, then write the image back.
    for (std::size_t c = 0; c < 16; ++c) {
      data.Mem_Image(3, c) = static_cast<std::int16_t>(0xA0 + c);
      data.Mem_Image(259, c) = static_cast<std::int16_t>(0x30 + c);
    }
    boxes.texts.clear();
    auto& w = program.Form_Comm_Write.load();
    qt_test::pump(50);
    qt_test::click(platform.widgetOf(w.Command_Write));
    ASSERT_TRUE(w.Link.Link_Busy());
    ASSERT_TRUE(qt_test::waitUntil([&] { return !boxes.texts.isEmpty(); }, 120000));
    EXPECT_EQ(boxes.texts, QStringList{"Complete writing parameters to the transceiver."});

    ASSERT_EQ(sim.stop(), 0);
    sim::Memory after;
    sim::loadParamFile(dumpFile, after);
    for (const auto& run : j5::Row_Skip_List)
      for (int row = run.first; row <= run.last; ++row) {
        const bool shortRow = j5::Short_Row(data, row);
        for (int c = 0; c < (shortRow ? 1 : 16); ++c)
          ASSERT_EQ(after.at(static_cast<std::uint16_t>(row * 16 + c)),
                    data.Mem_Image(static_cast<std::size_t>(row), static_cast<std::size_t>(c)))
              << row << " " << c;
      }
    EXPECT_EQ(after.at(3 * 16 + 5), 0xA5);
    EXPECT_EQ(after.at(259 * 16 + 15), 0x3F);
  }
  qunsetenv("J5_SERIAL_PORTS");
  std::filesystem::remove_all(dir);
}

// Exit, or the main window's close box, while the start-up's identification waits for the
// radio: the program ends at once, nothing waits for the identification, and nothing of it runs
// on once the windows are gone, when the radio's answers reach the port it had open.
TEST(LinkOverPty, TheProgramEndsWhileTheStartUpIdentificationWaits) {
  qt_test::testApp();
  simtest::SimProcess sim(J5_SIM_BIN, {"--pacing", "on", "--reply-delay", "800"});
  qputenv("J5_SERIAL_PORTS", QByteArray::fromStdString(sim.ptyPath()));
  kit::qt::QtPlatform platform;
  Box_Closer boxes;
  for (const bool closeBox : {false, true}) {
    SCOPED_TRACE(closeBox ? "the close box" : "Exit");
    {
      j5::Program program(platform);
      program.MDImain.show();
      qt_test::pump(300);
      ASSERT_EQ(program.Panel(2), "正在与对讲机进行连接...");
      boxes.texts.clear();  // the start-up's advice on the offscreen screen's size
      if (closeBox) {
        platform.windowOf(*program.MDImain)->close();
      } else {
        platform.dispatch([&] { program.MDImain->Menu_Exit.Click(); });
      }
      EXPECT_FALSE(program.MDImain.loaded());
      qt_test::pump(2500);
    }
    qt_test::pump(50);
    EXPECT_TRUE(boxes.texts.isEmpty()) << boxes.texts.join(" | ").toStdString();
  }
  qunsetenv("J5_SERIAL_PORTS");
}

// Closing the read window while it reads: the refusal's box stays open (the user has not
// read it yet), and under it the read goes on to its end; its own box opens on top.
TEST(LinkOverPty, ARefusedCloseLeavesTheReadRunningUnderItsBox) {
  qt_test::testApp();
  simtest::SimProcess sim(J5_SIM_BIN, {"--pacing", "on"});
  qputenv("J5_SERIAL_PORTS", QByteArray::fromStdString(sim.ptyPath()));
  kit::qt::QtPlatform platform;
  QStringList seen;
  QList<QPointer<QMessageBox>> open;  // the boxes seen that may still be open, outermost first
  QElapsedTimer waited;
  waited.start();
  QTimer user;
  QObject::connect(&user, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    const auto at = open.indexOf(box);
    if (at < 0) {
      seen << box->text();
      open << box;
    } else {
      open.resize(at + 1);  // the boxes above it have closed
    }
    // The refusal is answered once the read has ended under it (or after half a minute, when the
    // read froze).
    if (!box->text().contains("don't close") || seen.size() > 1 || waited.elapsed() > 30000)
      box->accept();
  });
  user.start(10);
  {
    j5::Program program(platform);
    j5::Shared_Data& data = program.data;
    j5::Fill_Access_Code(data);
    data.Lang_Chn = j5::kFalse;
    data.Comm_Port = 1;
    data.Mem_Image(100, 1) = 0x11;
    auto& r = program.Form_Comm_Read.load();
    qt_test::pump(50);
    qt_test::click(platform.widgetOf(r.Command_read));
    qt_test::pump(300);
    ASSERT_TRUE(r.Link.Link_Busy());
    platform.windowOf(r)->close();
    ASSERT_TRUE(qt_test::waitUntil([&] {
      return seen.size() == 2 && !QApplication::activeModalWidget();
    })) << seen.join(" | ").toStdString();
    EXPECT_EQ(seen, QStringList({"Read-write operating，don't close the window. ,",
                                 "Complete reading the data from transceiver."}));
    EXPECT_FALSE(r.Link.Link_Busy());
    EXPECT_EQ(data.Mem_Image(100, 1), 0xFF);  // the simulator's memory starts erased
    EXPECT_TRUE(program.Form_Comm_Read.loaded());
  }
  qunsetenv("J5_SERIAL_PORTS");
}

}  // namespace

#pragma once
// The about box: title, rights notice, designer line and legal warning in the current language,
// OK, and a button that starts the system's information program. Only the hidden `about` entry
// opens it.

#include <cstdint>
#include <string>

#include "platform/control.h"
#include "platform/form.h"

namespace j5 {

class Program;

class frmAbout : public kit::Form {
 public:
  explicit frmAbout(Program& program);

  kit::PictureBox picIcon{*this, "picIcon"};
  kit::Label lblTitle{*this, "lblTitle"};
  kit::Label lblVersion{*this, "lblVersion"};
  kit::Label lblDescription{*this, "lblDescription"};
  kit::Label lblDisclaimer{*this, "lblDisclaimer"};
  kit::ControlArray<kit::Line> Line1{*this, "Line1", 2};
  kit::CommandButton cmdOk{*this, "cmdOk"};
  kit::CommandButton cmdSysInfo{*this, "cmdSysInfo"};

  static constexpr std::uint32_t HKEY_LOCAL_MACHINE = 0x80000002u;

  // Finds and starts the system information program, or says that it is not available.
  void StartSysInfo();
  // Reads a value of the system registry into `keyValue`; false (and "") when there is none.
  bool GetKeyValue(std::uint32_t keyRoot, const std::string& keyName, const std::string& subKeyRef,
                   std::string& keyValue);

 private:
  Program& prog_;

  void Form_Load();
  void cmdOk_Click();
  void cmdSysInfo_Click();
};

}  // namespace j5

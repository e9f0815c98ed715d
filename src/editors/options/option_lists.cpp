#include "editors/options/option_lists.h"

#include <array>

#include "data/shared_data.h"
#include "data/tables.h"

namespace j5::opt {

namespace {

using Items = std::vector<std::string>;

// "first" followed by the numbers from .. to, step apart.
Items Numbers(int from, int to, int step = 1, std::string first = {}) {
  Items out;
  if (!first.empty()) out.push_back(std::move(first));
  for (int v = from; v <= to; v += step) out.push_back(std::to_string(v));
  return out;
}

List_Items Same(std::string_view name, Items items, std::string_view name_b = {}) {
  return {name, name_b, items, items};
}

const std::vector<List_Items>& Table() {
  static const std::vector<List_Items> table = [] {
    const Items colours_chn = {"关", "蓝色", "橙色", "紫色"};
    const Items colours_eng = {"OFF", "Blue", "Orange", "Purple"};
    const Items off_on_chn = {"关闭", "开启"};
    const Items off_on_eng = {"OFF", "ON"};
    const Items tail_chn = Numbers(100, 1000, 100, "关闭");
    const Items tail_eng = Numbers(100, 1000, 100, "OFF");
    const Items mode_chn = {"频率", "信道"};
    const Items mode_eng = {"Frequency", "Channel"};
    const Items mdf_chn = {"信道号", "信道名称+信道号", "频率+信道号"};
    const Items mdf_eng = {"Channel", "Channel+Name", "Channel+Frequency"};
    return std::vector<List_Items>{
        // General lists.
        Same("Combo_tot", Numbers(15, 600, 15)),
        Same("Combo_sql", Numbers(0, 9)),
        {"Combo_vox", {}, Numbers(1, 10, 1, "关"), Numbers(1, 10, 1, "OFF")},
        {"Combo_abr", {}, Numbers(1, 5, 1, "关"), Numbers(1, 5, 1, "OFF")},
        {"Combo_voice", {}, {"关闭", "英文", "中文"}, {"OFF", "English", "Chinese"}},
        {"Combo_mod_A", {}, mode_chn, mode_eng},
        {"Combo_mod_B", {}, mode_chn, mode_eng},
        {"Combo_MDF_A", {}, mdf_chn, mdf_eng},
        {"Combo_MDF_B", {}, mdf_chn, mdf_eng},
        {"Combo_dtmfst",
         {},
         {"关闭", "按键侧音", "发身份码侧音", "按键侧音+发身份码侧音"},
         {"OFF All ", "KB DTMF Side Tone", "Send ANI DTMF Side Tone",
          "KB DTMFST + Send ANI DTMFST"}},
        {"Combo_save", {}, {"关", "1:1", "1:2", "1:3", "1:4"}, {"OFF", "1:1", "1:2", "1:3", "1:4"}},
        {"Combo_sc_rev", {}, {"时间", "载波", "搜索"}, {"TO", "CO", "SE"}},
        {"Combo_ptt_id",
         {},
         {"关", "按下发码", "松开发码", "两者均发"},
         {"OFF", "BOT", "EOT", "BOTH"}},
        Same("Combo_ptt_lt", Numbers(0, 30)),
        {"Combo_wt_led", {}, colours_chn, colours_eng},
        {"Combo_rx_led", {}, colours_chn, colours_eng},
        {"Combo_tx_led", {}, colours_chn, colours_eng},
        {"Combo_ste", {}, off_on_chn, off_on_eng},
        {"Combo_Rp_Ste", {}, tail_chn, tail_eng},
        {"Combo_RPT_RL", {}, tail_chn, tail_eng},
        {"Combo_ponmsg", {}, {"满屏", "电池电压", "显示字符"}, {"Full", "DC", "MSG"}},
        {"Combo_roger", {}, off_on_chn, off_on_eng},
        {"Combo_AL_Mode", {}, {"现场", "发射报警音", "发射报警码"}, {"SITE", "TONE", "CODE"}},
        {"Combo_ab_mode", {}, {"独立", "同步"}, {"INDEP", "SYN"}},
        // Frequency-mode lists, the same items on both sides.
        Same("Combo_Band_A", {"VHF", "UHF0", "UHF1"}, "Combo_Band_B"),
        {"Combo_txp_a", "Combo_txp_b", {"高功率", "低功率"}, {"HIGH", "LOW"}},
        {"Combo_wn_a", "Combo_wn_b", {"宽带", "窄带"}, {"WIDE", "NARROR"}},
        Same("Combo_step_a",
             {"2.50 KHZ", "5.00 KHZ", "6.25 KHZ", "10.00 KHZ", "12.50 KHZ", "20.00 KHZ",
              "25.00 KHZ", "50.00 KHZ"},
             "Combo_step_b"),
        {"Combo_sft_d_a", "Combo_sft_d_b", {"关", "加频", "减频"}, {"OFF", "+", "-"}},
        Same("Combo_S_info_a", Numbers(1, 15), "Combo_S_info_b"),
        {"Combo_scr_a", "Combo_scr_b", Numbers(1, 8, 1, "关"), Numbers(1, 8, 1, "OFF")},
        {"Combo_Optsig_a", "Combo_OptSig_b", {"关", "DTMF"}, {"OFF", "DTMF"}},
        {"Combo_Spmute_a",
         "Combo_Spmute_b",
         {"哑音", "哑音与可选信令", "哑音或可选信令"},
         {"QT/DQT", "QT/DQT AND OPTSIG", "QT/DQT OR OPTSIG"}},
    };
  }();
  return table;
}

}  // namespace

std::span<const List_Items> Option_List_Table() {
  return Table();
}

const List_Items* Find_List(std::string_view name) {
  for (const List_Items& l : Table())
    if (l.name == name || (!l.name_b.empty() && l.name_b == name)) return &l;
  return nullptr;
}

std::vector<std::string> Tone_Items(const Shared_Data& data, bool chinese) {
  std::vector<std::string> items;
  items.reserve(kToneListLast + 1);
  items.emplace_back(chinese ? "关" : "OFF");
  for (int i = 1; i <= kToneListLast; ++i) items.push_back(data.Tone_List[i]);
  return items;
}

}  // namespace j5::opt

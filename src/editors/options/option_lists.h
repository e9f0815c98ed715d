#pragma once
// The items of the optional features window's lists, in both languages, by
// list name. The option window copies list many of the same settings; they
// can take their items from here by the same names.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace j5 {

struct Shared_Data;

namespace opt {

struct List_Items {
  std::string_view name;    // the list control's name (side A's for a frequency-mode list)
  std::string_view name_b;  // side B's list of the same items, or empty
  std::vector<std::string> chn, eng;
};

// The general lists and the frequency-mode lists of both sides. The tone
// lists take their items from Tone_List and are not in here.
std::span<const List_Items> Option_List_Table();

// The items of the list of that name (side-B names too), or nullptr.
const List_Items* Find_List(std::string_view name);

// The four tone lists: the off entry in the language, then Tone_List 1..2210.
std::vector<std::string> Tone_Items(const Shared_Data& data, bool chinese);

}  // namespace opt
}  // namespace j5

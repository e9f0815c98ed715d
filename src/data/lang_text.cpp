#include "data/lang_text.h"

namespace j5 {

void Set_Lang_Text(Shared_Data& data) {
  const auto& texts = data.Lang_Chn != 0 ? kLangTextChinese : kLangTextEnglish;
  for (std::size_t i = 0; i < kLangTextCount; ++i) data.Lang_Text[i] = std::string(texts[i]);
}

}  // namespace j5

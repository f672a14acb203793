// UTF-16 to UTF-8 conversion of resource text.
#include "platform/resources/Utf16.h"

#include <gtest/gtest.h>

TEST(Utf16, ConvertsEveryRangeAndReplacesUnpairedSurrogates)
{
    const std::pair<std::u16string, std::string> cases[] = {
        {u"", ""},
        {u"Channel 01", "Channel 01"},
        {u"\u00e9\u07ff", "\xC3\xA9\xDF\xBF"},
        {u"\u0800\u20ac\uffff", "\xE0\xA0\x80\xE2\x82\xAC\xEF\xBF\xBF"},
        {u"\U0001F600\U0010FFFF", "\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF"},
        {std::u16string{0xD83D}, "\xEF\xBF\xBD"},              // high surrogate at the end
        {std::u16string{0xDE00, u'a'}, "\xEF\xBF\xBD" "a"},    // low surrogate alone
        {std::u16string{0xD83D, u'a'}, "\xEF\xBF\xBD" "a"},    // high surrogate before a non-surrogate
        {std::u16string{0xD83D, 0xD83D, 0xDE00}, "\xEF\xBF\xBD\xF0\x9F\x98\x80"},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(resources::utf16ToUtf8(input), expected) << "input of " << input.size() << " units";
}

#include "cli/cli_session.h"

#include "common/code_page.h"

#include <cstdio>

std::optional<std::string> CCliArgs::Value(const std::string& name) const {
    auto it = values.find(name);
    return it == values.end() ? std::nullopt : std::optional<std::string>(it->second);
}

bool ParseCliArgs(const std::vector<std::string>& words, const std::set<std::string>& valueOptions,
                  const std::set<std::string>& switchOptions, CCliArgs& args,
                  const std::set<std::string>& repeatOptions) {
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (repeatOptions.count(word) && i + 1 < words.size()) {
            args.repeated[word].push_back(Utf8ToCp1252(words[++i]));
        } else if (valueOptions.count(word) && i + 1 < words.size()) {
            args.values[word] = Utf8ToCp1252(words[++i]);
        } else if (switchOptions.count(word)) {
            args.switches.insert(word);
        } else if (word.rfind("--", 0) == 0) {
            std::fprintf(stderr, "Unbekannte oder unvollst\xc3\xa4ndige Option: %s\n", word.c_str());
            return false;
        } else {
            args.positional.push_back(word);
        }
    }
    return true;
}

CBidderFields& CCliSession::Fields(const std::optional<std::string>& bidder,
                                   const std::optional<std::string>& currency) {
    m_fields = std::make_unique<CBidderFields>(List(), m_settings);
    m_fields->Open(List().FirstInChain());
    if (bidder) m_fields->SetBidder(*bidder);
    if (currency) m_fields->SetCurrency(*currency);
    return *m_fields;
}

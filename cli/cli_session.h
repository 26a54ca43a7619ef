#pragma once

#include "app/bid_document.h"
#include "app/bidder_fields.h"
#include "app/settings_store.h"
#include "cli/cli_shell.h"

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

// The arguments of one command: options with a value (texts converted to Windows-1252),
// switches, and the remaining words in order.
struct CCliArgs {
    std::map<std::string, std::string> values;
    std::map<std::string, std::vector<std::string>> repeated; // options that may be given more than once
    std::set<std::string> switches;
    std::vector<std::string> positional;

    std::optional<std::string> Value(const std::string& name) const;
    bool Has(const std::string& name) const { return switches.count(name) != 0; }
};

// Splits the words after the command; false (with a message) for an unknown option or one
// whose value is missing. The values of `repeatOptions` are collected in order.
bool ParseCliArgs(const std::vector<std::string>& words, const std::set<std::string>& valueOptions,
                  const std::set<std::string>& switchOptions, CCliArgs& args,
                  const std::set<std::string>& repeatOptions = {});

// What every command works on: the document with the tool's shell and settings that live
// only as long as the command (the user's own settings stay untouched).
class CCliSession {
public:
    CCliSession() : m_settings(m_store), m_document(m_shell, m_settings) {}

    // Opens the file as the application does; false after the message was printed.
    bool Open(const std::string& path) { return m_document.OpenFile(path, CBidDocument::TypeForPath(path)); }
    // Bidder and currency as the save and print dialogs take them, with the first row
    // selected; a given value stands for what the user types into the dialog.
    CBidderFields& Fields(const std::optional<std::string>& bidder,
                          const std::optional<std::string>& currency);

    CBidDocument& Document() { return m_document; }
    CAngebotList& List() { return m_document.List(); }
    CAppSettings& Settings() { return m_settings; }
    IShell& Shell() { return m_shell; }

private:
    CCliShell m_shell;
    CMemorySettingsStore m_store;
    CAppSettings m_settings;
    CBidDocument m_document;
    std::unique_ptr<CBidderFields> m_fields;
};

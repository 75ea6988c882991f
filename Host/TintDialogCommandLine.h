// tintdialog's command line: the global options and each command's own are
// tables of TintDialogOption records; one record drives both Qt's
// QCommandLineParser and the option's lines in --help.
#pragma once

#include <QCommandLineParser>

#include <map>
#include <span>
#include <string>
#include <vector>

struct TintDialogOptions;

struct TintDialogOption {
    const char *name;      // the long name, without its dashes
    const char *alias;     // a one-letter name, or nullptr
    const char *valueName; // what the value is (help and errors); nullptr for a switch
    const char *help;      // its line in --help (translated in context "tintdialog")
    // Global options only: where the value goes, and whether it may be empty.
    std::string TintDialogOptions::*field = nullptr;
    bool mayBeEmpty = false;
};
using TintDialogOptionTable = std::span<const TintDialogOption>;

// The words of a command line parsed by the options of one or more tables.
class TintDialogArguments
{
  public:
    enum class Result {
        kParsed,
        kUnknownOption,   // word: the option as it is written
        kMissingValue,    // the last word takes a value that is not there
        kUnexpectedValue, // a switch written with "=value"
    };

    // Parses args (the words after the program name). With stopAtWord the
    // first word that is not an option and everything after it are
    // positional; otherwise options may stand anywhere ("--" ends them).
    // On a failure *word holds the option concerned and *record, where
    // known, its record.
    Result parse(const std::vector<std::string> &args, std::initializer_list<TintDialogOptionTable> tables,
                 bool stopAtWord, std::string *word, const TintDialogOption **record = nullptr);

    bool isSet(const char *name) const { return parser_.isSet(QString::fromLatin1(name)); }
    // The last value given to the option ("" when not given), or all of them in order.
    std::string value(const char *name) const;
    std::vector<std::string> values(const char *name) const;
    // The long names of the options given, in the order they were given.
    std::vector<std::string> optionNames() const;
    // The words that are no options, in order.
    const std::vector<std::string> &positional() const { return positional_; }
    // Drops the first positional word (the command's name).
    void dropFirstPositional();

  private:
    const TintDialogOption *find(const QString &name) const;
    // A word as the parser sees it, and back: bytes that are not UTF-8 (a
    // file name as the system names it) stand in the parser as a
    // placeholder and come back as they were given.
    QString toParser(const std::string &word);
    std::string fromParser(const QString &word) const;

    QCommandLineParser parser_;
    std::map<QString, std::string> raw_;
    std::vector<const TintDialogOption *> records_;
    std::vector<std::string> positional_;
};

// The option's spelling: "--name".
std::string TintDialogOptionName(const TintDialogOption &option);
// The help lines of a table: the names and value, then the help text, each
// line after indent spaces.
std::string TintDialogOptionHelp(TintDialogOptionTable table, int indent);
// The value name of an option, translated ("" for a switch).
std::string TintDialogOptionValueName(const TintDialogOption &option);
// The one-line translated message of a failed parse, for an error line.
std::string TintDialogParseMessage(TintDialogArguments::Result result, const std::string &word,
                                   const TintDialogOption *record);

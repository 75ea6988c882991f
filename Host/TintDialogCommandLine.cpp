#include "TintDialogCommandLine.h"

#include "TintDialogTranslation.h"

namespace
{

QString Text(const std::string &s)
{
    return QString::fromStdString(s);
}

// "foo" of "--foo", "--foo=bar" and "-f" ("" for a word that is no option).
std::string NameOf(const std::string &word)
{
    if (word.size() < 2 || word[0] != '-' || word == "--")
        return {};
    std::string name = word.substr(word[1] == '-' ? 2 : 1);
    if (word[1] != '-')
        return name.substr(0, 1);
    return name.substr(0, name.find('='));
}

} // namespace

TintDialogArguments::Result TintDialogArguments::parse(const std::vector<std::string> &args,
                                                       std::initializer_list<TintDialogOptionTable> tables,
                                                       bool stopAtWord, std::string *word,
                                                       const TintDialogOption **record)
{
    const TintDialogOption *scratch = nullptr;
    if (!record)
        record = &scratch;
    *record = nullptr;
    parser_.setOptionsAfterPositionalArgumentsMode(stopAtWord ? QCommandLineParser::ParseAsPositionalArguments
                                                              : QCommandLineParser::ParseAsOptions);
    for (TintDialogOptionTable table : tables) {
        for (const TintDialogOption &option : table) {
            QStringList names;
            if (option.alias)
                names << QString::fromLatin1(option.alias);
            names << QString::fromLatin1(option.name);
            parser_.addOption(
                QCommandLineOption(names, TintDialogTr(option.help),
                                   option.valueName ? TintDialogTr(option.valueName) : QString()));
            records_.push_back(&option);
        }
    }
    QStringList words{QStringLiteral("tintdialog")};
    for (const std::string &arg : args)
        words << toParser(arg);
    const bool parsed = parser_.parse(words);
    positional_.clear();
    for (const QString &positional : parser_.positionalArguments())
        positional_.push_back(fromParser(positional));
    if (parsed)
        return Result::kParsed;

    if (const QStringList unknown = parser_.unknownOptionNames(); !unknown.isEmpty()) {
        *word = (unknown.first().size() == 1 ? "-" : "--") + unknown.first().toStdString();
        return Result::kUnknownOption;
    }
    // Every value-taking option takes the next word whatever it is, so only
    // the last word can lack its value.
    if (!args.empty() && args.back().find('=') == std::string::npos) {
        *record = find(Text(NameOf(args.back())));
        if (*record && (*record)->valueName) {
            *word = args.back();
            return Result::kMissingValue;
        }
    }
    for (const std::string &arg : args) {
        const TintDialogOption *option = find(Text(NameOf(arg)));
        if (option && !option->valueName && arg.find('=') != std::string::npos) {
            *record = option;
            *word = arg.substr(0, arg.find('='));
            return Result::kUnexpectedValue;
        }
    }
    *record = nullptr;
    *word = parser_.errorText().toStdString();
    return Result::kUnexpectedValue;
}

const TintDialogOption *TintDialogArguments::find(const QString &name) const
{
    for (const TintDialogOption *option : records_) {
        if (name == QLatin1String(option->name) || (option->alias && name == QLatin1String(option->alias)))
            return option;
    }
    return nullptr;
}

QString TintDialogArguments::toParser(const std::string &word)
{
    QString text = Text(word);
    if (text.toStdString() == word)
        return text;
    // "--name=VALUE" keeps its name; the value (or the whole word) stands
    // as a placeholder no person types.
    std::string head;
    std::string tail = word;
    if (word.rfind("--", 0) == 0 && word.find('=') != std::string::npos) {
        head = word.substr(0, word.find('=') + 1);
        tail = word.substr(head.size());
    }
    const QString placeholder = QStringLiteral("\uFDD0%1").arg(raw_.size());
    raw_[placeholder] = tail;
    return Text(head) + placeholder;
}

std::string TintDialogArguments::fromParser(const QString &word) const
{
    auto it = raw_.find(word);
    return it == raw_.end() ? word.toStdString() : it->second;
}

std::string TintDialogArguments::value(const char *name) const
{
    return fromParser(parser_.value(QString::fromLatin1(name)));
}

std::vector<std::string> TintDialogArguments::values(const char *name) const
{
    std::vector<std::string> values;
    for (const QString &value : parser_.values(QString::fromLatin1(name)))
        values.push_back(fromParser(value));
    return values;
}

std::vector<std::string> TintDialogArguments::optionNames() const
{
    std::vector<std::string> names;
    for (const QString &name : parser_.optionNames()) {
        if (const TintDialogOption *option = find(name))
            names.emplace_back(option->name);
    }
    return names;
}

void TintDialogArguments::dropFirstPositional()
{
    if (!positional_.empty())
        positional_.erase(positional_.begin());
}

std::string TintDialogOptionName(const TintDialogOption &option)
{
    return std::string("--") + option.name;
}

std::string TintDialogOptionValueName(const TintDialogOption &option)
{
    return option.valueName ? TintDialogTr(option.valueName).toStdString() : std::string();
}

std::string TintDialogOptionHelp(TintDialogOptionTable table, int indent)
{
    const std::string margin(static_cast<size_t>(indent), ' ');
    std::string text;
    for (const TintDialogOption &option : table) {
        text += margin + TintDialogOptionName(option);
        if (option.alias)
            text += std::string(", -") + option.alias;
        if (option.valueName)
            text += " " + TintDialogOptionValueName(option);
        text += "\n" + margin + "    " + TintDialogTr(option.help).toStdString() + "\n";
    }
    return text;
}

std::string TintDialogParseMessage(TintDialogArguments::Result result, const std::string &word,
                                   const TintDialogOption *record)
{
    switch (result) {
    case TintDialogArguments::Result::kParsed:
        break;
    case TintDialogArguments::Result::kUnknownOption:
        return TintDialogTr("unknown option %1").arg(Text(word)).toStdString();
    case TintDialogArguments::Result::kMissingValue:
        return TintDialogTr("%1 needs %2")
            .arg(Text(word), Text(TintDialogOptionValueName(*record)))
            .toStdString();
    case TintDialogArguments::Result::kUnexpectedValue:
        if (!record)
            return word;
        return TintDialogTr("%1 takes no value").arg(Text(word)).toStdString();
    }
    return {};
}

// The identity of one chunked transfer, carried in the fragment of the list's
// "file:" URL ("file:///…/u-QV-MR52-profile.plist#transfer=<hex>"). Every
// piece and the closing rename of one transfer name the same identity, so
// the service keeps each writer's pieces apart although every piece comes
// from a new relay process. A URL without a fragment names the shared
// transfer of writers that send no identity.
#pragma once

#include <string>

// Hex digits of an identity (at least, at most).
inline constexpr std::size_t kTintTransferIdMin = 8;
inline constexpr std::size_t kTintTransferIdMax = 32;

// A new random identity (16 hex digits); "" when no randomness is to be had.
std::string TintNewTransferId();

// url with the identity appended as its fragment.
std::string TintTransferUrl(const std::string &url, const std::string &transferId);

// Splits a URL string into the list's URL and the identity ("" when there is
// no fragment). False for a fragment that is not a well-formed identity.
bool TintSplitTransferUrl(const std::string &url, std::string *listUrl, std::string *transferId);

// Folding the relay's command-line arguments into one request string.
#pragma once

#include <string>
#include <vector>

namespace tint
{

struct MethodInfo;

// Builds the request of method from its arguments (those after the method
// name). Every argument is taken as UTF-8. Returns false, leaving *request
// empty, when there are fewer arguments than the method needs or an argument
// used is not valid UTF-8 (nothing can be sent then).
bool buildRequest(const MethodInfo &method, const std::vector<std::string> &args, std::string *request);

} // namespace tint

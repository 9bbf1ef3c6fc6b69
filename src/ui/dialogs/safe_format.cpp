#include "ui/dialogs/safe_format.h"

#include <vector>

#include "ui/dialogs/format_conversion.h"

namespace setup {

namespace {

void AppendPadded(std::string& out, std::string_view text, int width, bool left) {
  size_t pad = width > 0 && static_cast<size_t>(width) > text.size() ? width - text.size() : 0;
  if (!left) out.append(pad, ' ');
  out.append(text);
  if (left) out.append(pad, ' ');
}

}  // namespace

std::string SafeFormat(std::string_view format, std::initializer_list<FormatArg> args) {
  std::vector<const FormatArg*> list;
  for (const FormatArg& arg : args) list.push_back(&arg);
  std::string out;
  size_t next_arg = 0;
  size_t copied = 0;
  for (const FormatConversion& spec : ReadConversions(format)) {
    out.append(format.substr(copied, spec.start - copied));
    copied = spec.end;
    if (spec.conversion == '%') {
      out.push_back('%');
      continue;
    }
    // A conversion cut off by the end of the text, or no conversion at all: taken as text.
    if (!spec.TakesArgument()) {
      out.append(spec.Text(format));
      continue;
    }
    const FormatArg* arg = next_arg < list.size() ? list[next_arg] : nullptr;
    ++next_arg;
    if (arg == nullptr || !spec.Fits(arg->type)) {
      out.append(spec.Text(format));
    } else if (arg->type == FormatArg::Type::String) {
      std::string_view text = arg->text;
      if (spec.precision >= 0 && static_cast<size_t>(spec.precision) < text.size()) {
        text = text.substr(0, spec.precision);
      }
      AppendPadded(out, text, spec.width, spec.left);
    } else {
      // A NUL character would end the text where the program was written; it adds nothing.
      AppendPadded(out, std::string_view(&arg->ch, arg->ch != '\0' ? 1 : 0), spec.width, spec.left);
    }
  }
  out.append(format.substr(copied));
  return out;
}

}  // namespace setup

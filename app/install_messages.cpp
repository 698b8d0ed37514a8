#include "app/install_messages.h"

std::string TrimReason(std::string reason) {
  while (!reason.empty() && (reason.back() == '\r' || reason.back() == '\n' ||
                             reason.back() == ' ' || reason.back() == '.')) {
    reason.pop_back();
  }
  return reason.empty() ? "unknown error" : reason;
}

std::string FolderProblemText(const std::string& folder, const std::string& reason) {
  return "The folder\n\n" + folder +
         "\n\ncan be neither opened nor created: " + TrimReason(reason) +
         ".\n\nPlease choose another folder.";
}

std::string FilesProblemText(const std::string& folder, const std::vector<FileProblem>& files) {
  std::string text = "These files could not be written to the folder\n\n" + folder + "\n\n";
  for (const FileProblem& file : files) {
    text += file.fileName.empty() ? std::string("(the installer's own files)") : file.fileName;
    text += ": " + TrimReason(file.reason) + ".\n";
  }
  text +=
      "\nAny older copy of these files was left as it was. Close the programs that may use them, "
      "or choose another folder, and press Install again.";
  return text;
}

#include "cli/help_command.h"

#include <ostream>

#include "cli/cli.h"
#include "help/help_pages.h"
#include "help/markdown.h"

namespace verdin::cli {

int commandHelp(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string topic;
    for (const std::string& word : args) topic += (topic.empty() ? "" : " ") + word;
    std::string target = help::pageForTopic(topic);
    const help::Page* page = help::findPage(target);
    if (page == nullptr) {
        err << "verdin-cli: no help page for '" << topic << "'\n";
        std::vector<help::SearchHit> hits = help::search(topic);
        if (!hits.empty()) {
            err << "pages that mention it:\n";
            for (std::size_t i = 0; i < hits.size() && i < 10; ++i) {
                err << "  verdin-cli help " << hits[i].pageId << "    " << hits[i].title << "\n";
            }
        }
        return UsageError;
    }
    std::size_t hash = target.find('#');
    std::string anchor = hash == std::string::npos ? std::string() : target.substr(hash + 1);
    out << help::toPlainText(help::sectionOf(page->markdown, anchor));
    return Success;
}

}  // namespace verdin::cli

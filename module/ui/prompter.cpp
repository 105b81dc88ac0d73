#include "ui/prompter.h"

#include "ui/widget_prompter.h"

namespace {

Prompter* installed = nullptr;

}  // namespace

Prompter& Prompter::instance() {
    static WidgetPrompter widgets;
    return installed ? *installed : widgets;
}

void Prompter::install(Prompter* prompter) {
    installed = prompter;
}

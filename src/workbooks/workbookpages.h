#pragma once

namespace mhbk {

class PageHost;

// Registers the workbook-page loader and the export and print-preview commands.
void installWorkbookPages(PageHost &host);

} // namespace mhbk

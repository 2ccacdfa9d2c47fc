#include "app/ui/settingpages.h"

#include "records/ui/recorditemspage.h"
#include "settings/ui/tsetting.h"

namespace zk {

RecordItemsPage *addRecordItemsPage(TSetting &dialog) {
    auto *page = new RecordItemsPage;
    dialog.addPage(
        {QStringLiteral("ｸﾞﾗﾌ"), page, [page] { page->load(); }, [page] { page->save(); }});
    return page;
}

} // namespace zk

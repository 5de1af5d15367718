// What the parts of the store share behind DictionaryStore: the open database
// and the image of its table. Private to the store.
#pragma once

#include "dictionary/sql.h"
#include "dictionary/store.h"
#include "dictionary/table_image.h"

namespace dict {

struct DictionaryStore::Impl {
    sql::DbHandle db;
    TableImage image;
};

}  // namespace dict

#include "prefs/plist_nodes.h"

#include <cstdlib>

namespace zendra::Prefs::PlistNodes {

void FreeDeleter::operator()(void* pointer) const {
    std::free(pointer);
}

bool forEachDictionaryEntry(plist_t dictionary,
                            const std::function<bool(const char* key, plist_t value)>& visit) {
    plist_dict_iter iterator = nullptr;
    plist_dict_new_iter(dictionary, &iterator);
    const std::unique_ptr<void, FreeDeleter> iteratorOwner(iterator);
    while (true) {
        char* rawKey = nullptr;
        plist_t value = nullptr;
        plist_dict_next_item(dictionary, iterator, &rawKey, &value);
        const AllocatedText key(rawKey);
        if (!value) {
            return true;
        }
        if (!visit(key ? key.get() : nullptr, value)) {
            return false;
        }
    }
}

} // namespace zendra::Prefs::PlistNodes

// Texts that activation's messages share: a GUID in registry form and the file the
// registry lives in.
#ifndef OLEAUT_SRC_ACTIVATION_NAMES_H
#define OLEAUT_SRC_ACTIVATION_NAMES_H

#include <string>

#include "oleaut.h"

namespace oleaut::detail {

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", the spelling used as a registry key name.
std::u16string guid_key_name(REFGUID g);

// "the registry 'PATH'", for messages that tell where a registration was looked for.
std::string registry_file_phrase();

}  // namespace oleaut::detail

#endif

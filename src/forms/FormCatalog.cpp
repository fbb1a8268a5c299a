#include "forms/FormCatalog.h"

namespace rps {

const std::vector<FormDescriptor>& formCatalog()
{
    // Each forms folder adds its rows here as its forms are built.
    static const std::vector<FormDescriptor> catalog{};
    return catalog;
}

const FormDescriptor* findForm(int command)
{
    for (const FormDescriptor& form : formCatalog()) {
        if (form.command == command)
            return &form;
    }
    return nullptr;
}

} // namespace rps

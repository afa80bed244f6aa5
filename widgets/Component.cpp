#include "Component.h"

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        std::unique_ptr<TComponent> last = std::move(FComponents.back());
        FComponents.pop_back();
    }
}

// Facets the module's locale code creates lazily are registered here and
// released when the module ends, after the statics that may still use them.

#include <xfacet>

#include <stdlib.h>

namespace {

struct FacetNode {
  FacetNode* next;
  std::_Facet_base* facet;
};

FacetNode* registered_facets = nullptr;

void __cdecl ReleaseFacets() {
  while (FacetNode* node = registered_facets) {
    registered_facets = node->next;
    delete node->facet->_Decref();
    free(node);
  }
}

}  // namespace

namespace std {

void __cdecl _Facet_Register(_Facet_base* facet) {
  if (registered_facets == nullptr) {
    atexit(&ReleaseFacets);
  }
  auto* node = static_cast<FacetNode*>(malloc(sizeof(FacetNode)));
  if (node == nullptr) {
    // Without memory to remember it, the facet outlives the module.
    return;
  }
  *node = FacetNode{registered_facets, facet};
  registered_facets = node;
}

}  // namespace std

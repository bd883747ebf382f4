// The parent's remembered last child: appending and every other link
// operation must leave exactly the links that walking the sibling run leaves,
// whatever came before (moves between parents, failed insertions that leave a
// parent link set, links written through the setters).
#include <array>
#include <memory>
#include <random>
#include <sstream>
#include "treectrl/TreeTestSupport.h"

namespace {
// The linking rules written out plainly, walking the run for every append:
// the model the nodes are compared with.
struct ModelNode
{
    int parent = -1, next = -1, prev = -1, first = -1; // pool indices; -1 for null
};

const int kPool = 12;
using Model = std::array<ModelNode, kPool>;

void ModelDetach(Model& m, int n)
{
    ModelNode& node = m[n];
    if (node.next >= 0)
        m[node.next].prev = node.prev;
    if (node.prev >= 0)
        m[node.prev].next = node.next;
    if (node.parent >= 0 && m[node.parent].first == n)
        m[node.parent].first = node.next;
    node.parent = -1;
}

// position: -1 first, -2 last, else the pool index to insert after.
bool ModelAddChild(Model& m, int p, int c, int position)
{
    if (p == c)
        return false;
    m[c].parent = p;
    const int first = m[p].first;
    if (first < 0) {
        m[p].first = c;
        m[c].prev = m[c].next = -1;
        return true;
    }
    if (position == -1) {
        m[c].prev = -1;
        m[c].next = first;
        m[first].prev = c;
        m[p].first = c;
        return true;
    }
    if (position == -2) {
        int last = first;
        while (m[last].next >= 0)
            last = m[last].next;
        m[last].next = c;
        m[c].prev = last;
        m[c].next = -1;
        return true;
    }
    int after = first;
    while (after >= 0 && after != position)
        after = m[after].next;
    if (after < 0)
        return false;
    const int next = m[after].next;
    m[c].next = next;
    m[c].prev = after;
    if (next >= 0)
        m[next].prev = c;
    m[after].next = c;
    return true;
}

// Whether a walk along next links from any node ends within the pool size;
// runs that loop are left out, as they would loop for the walk as well.
bool RunsEnd(const Model& m)
{
    for (int i = 0; i < kPool; ++i) {
        int n = i, steps = 0;
        while (n >= 0 && steps++ <= kPool)
            n = m[n].next;
        if (n >= 0)
            return false;
    }
    return true;
}

int ModelLastChild(const Model& m, int p)
{
    int last = m[p].first;
    while (last >= 0 && m[last].next >= 0)
        last = m[last].next;
    return last;
}

struct Pool
{
    std::vector<std::unique_ptr<SECTreeNode>> nodes;
    Pool()
    {
        for (int i = 0; i < kPool; ++i)
            nodes.push_back(std::make_unique<SECTreeNode>());
    }
    ~Pool()
    {
        for (auto& node : nodes) // no node owns another when they go
            node->SetFirstChild(nullptr);
    }
    SECTreeNode* operator[](int i) const { return i >= 0 ? nodes[static_cast<size_t>(i)].get() : nullptr; }
    int IndexOf(const SECTreeNode* p) const
    {
        for (int i = 0; i < kPool; ++i) {
            if (nodes[static_cast<size_t>(i)].get() == p)
                return i;
        }
        return -1;
    }
    // Every link, and with bEnds every run's end, as the nodes have them.
    // (Asking for an end may take a memo, so not every step asks.)
    std::string Links(bool bEnds) const
    {
        std::ostringstream out;
        for (int i = 0; i < kPool; ++i) {
            const SECTreeNode* n = (*this)[i];
            out << i << ":" << IndexOf(n->GetRawParent()) << "," << IndexOf(n->GetRawNextSibling()) << ","
                << IndexOf(n->GetRawPrevSibling()) << "," << IndexOf(n->GetRawFirstChild()) << ","
                << (bEnds ? IndexOf(n->GetRawLastChild()) : -9) << " ";
        }
        return out.str();
    }
};

std::string Links(const Model& m, bool bEnds)
{
    std::ostringstream out;
    for (int i = 0; i < kPool; ++i)
        out << i << ":" << m[i].parent << "," << m[i].next << "," << m[i].prev << "," << m[i].first << ","
            << (bEnds ? ModelLastChild(m, i) : -9) << " ";
    return out.str();
}
} // namespace

TEST(LastChildLink, EveryOperationLeavesTheLinksOfTheWalk)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        Pool pool;
        Model model{};
        std::string history;
        for (int step = 0; step < 3000; ++step) {
            const Model before = model;
            const int a = pick(kPool), b = pick(kPool), what = pick(100);
            std::ostringstream op;
            if (what < 40) {
                // Appending mostly below a few parents, so that runs grow long.
                const int parent = pick(3);
                const int position = what < 25 ? -2 : (what < 30 ? -1 : pick(kPool));
                ModelAddChild(model, parent, b, position);
                if (!RunsEnd(model)) {
                    model = before;
                    continue;
                }
                const UINT_PTR at = position == -1   ? SECTreeNode::addFirst
                                    : position == -2 ? (what % 2 ? SECTreeNode::addLast : SECTreeNode::addLastAlso)
                                                     : SECTreeNode::PositionAfter(pool[position]);
                const bool expected = [&] {
                    Model again = before;
                    return ModelAddChild(again, parent, b, position);
                }();
                // After a child the caller knows (the control's insertion): the same links.
                const bool known = [&] {
                    for (int n = before[parent].first; n >= 0 && position >= 0; n = before[n].next)
                        if (n == position)
                            return position != b && before[position].parent == parent;
                    return false;
                }();
                if (expected && known && what % 2) {
                    op << "AddChildAfterKnown(" << parent << "," << b << "," << position << ")";
                    SECTreeNode::AddChildAfterKnown(pool[parent], pool[b], pool[position]);
                } else {
                    op << "AddChild(" << parent << "," << b << "," << position << ")";
                    EXPECT_EQ(expected, !!SECTreeNode::AddChild(pool[parent], pool[b], at)) << op.str();
                }
            } else if (what < 75) {
                ModelDetach(model, a);
                if (!RunsEnd(model)) {
                    model = before;
                    continue;
                }
                op << "Detach(" << a << ")";
                pool[a]->Detach();
            } else {
                // A link written directly, to a node or to null.
                const int to = pick(kPool + 3) - 3 < 0 ? -1 : pick(kPool);
                const int link = pick(4);
                int* fields[] = {&model[a].parent, &model[a].next, &model[a].prev, &model[a].first};
                *fields[link] = to;
                if (!RunsEnd(model)) {
                    model = before;
                    continue;
                }
                op << "Set" << link << "(" << a << "," << to << ")";
                SECTreeNode* target = pool[to];
                switch (link) {
                case 0: pool[a]->SetParent(target); break;
                case 1: pool[a]->SetNextSibling(target); break;
                case 2: pool[a]->SetPrevSibling(target); break;
                default: pool[a]->SetFirstChild(target); break;
                }
            }
            history += op.str() + " ";

            const bool ends = step % 7 == 0;
            ASSERT_EQ(Links(model, ends), pool.Links(ends)) << "seed " << seed << ", step " << step << ": " << history;
            if (history.size() > 600)
                history.erase(0, history.size() - 600);
        }
    }
}

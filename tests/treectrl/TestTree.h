// Named nodes built from a shape such as "r(a(a1 a2) b)" for the node tests.
#pragma once
#include <cstring>
#include <map>
#include <string>
#include <vector>
#include "treectrl/SECTreeNodeX.h"

// Records its name in the log on destruction, after its subtree is gone.
struct NamedNode : SECTreeNodeX
{
    NamedNode(std::string name, std::vector<std::string>* pLog) : m_name(std::move(name)), m_pLog(pLog) {}
    ~NamedNode() override
    {
        DeleteDescendants();
        if (m_pLog != nullptr)
            m_pLog->push_back(m_name);
    }
    std::string m_name;               // label used by the assertions
    std::vector<std::string>* m_pLog; // receives the name on destruction; may be null
};

inline std::string NameOf(const SECTreeNode* p) { return p ? static_cast<const NamedNode*>(p)->m_name : "-"; }

struct TestTree
{
    explicit TestTree(const char* pszShape, std::vector<std::string>* pLog = nullptr) : m_pLog(pLog)
    {
        m_pRoot = Parse(pszShape, nullptr);
    }
    ~TestTree() { delete m_pRoot; }
    NamedNode* operator[](const std::string& name) const { return m_nodes.at(name); }
    // Names visited by GetNextInOrder from the root, or by GetPrevInOrder from the end.
    std::string Walk(bool bForward = true) const
    {
        std::string out;
        for (const SECTreeNode* p = bForward ? m_pRoot : m_pRoot->GetLastDescendant(); p;
             p = bForward ? p->GetNextInOrder() : p->GetPrevInOrder())
            out += (out.empty() ? "" : " ") + NameOf(p);
        return out;
    }
    NamedNode* Parse(const char*& p, NamedNode* pParent)
    {
        const char* pName = p;
        while (*p != '\0' && std::strchr("() ", *p) == nullptr)
            ++p;
        NamedNode* pNode = m_nodes[std::string(pName, p)] = new NamedNode(std::string(pName, p), m_pLog);
        if (pParent != nullptr)
            SECTreeNode::AddChild(pParent, pNode, SECTreeNode::addLast);
        if (*p == '(') {
            for (++p; *p != ')';)
                *p == ' ' ? (void)++p : (void)Parse(p, pNode);
            ++p;
        }
        return pNode;
    }

    std::vector<std::string>* m_pLog;          // destruction log handed to every node
    NamedNode* m_pRoot;                        // owns the whole tree
    std::map<std::string, NamedNode*> m_nodes; // nodes by name
};

// Updates in place. A keystroke usually changes a few numbers of the page;
// replacing whole blocks would make the browser parse, style and lay out
// every element again, which costs it several times the whole calculation.
// These change only the texts and attributes that differ, and rebuild a
// block only where its elements differ.

// An element as plain data: { name, attributes, children }, where each
// child is a description or a text. Made into nodes only through the DOM's
// own methods, so no text or attribute value is ever read as markup.
export const element = (name, attributes = {}, children = []) => ({ name, attributes, children });

const create = (description, namespace) => {
  if (typeof description === 'string') return document.createTextNode(description);
  const node = document.createElementNS(namespace, description.name);
  for (const [key, value] of Object.entries(description.attributes)) node.setAttribute(key, value);
  node.append(...description.children.map((child) => create(child, namespace)));
  return node;
};
const sameKind = (before, after) => (typeof before === 'string'
  ? typeof after === 'string' : typeof after !== 'string' && before.name === after.name);

// Changes the children of parent from what the descriptions before made of
// them to what the descriptions after say, comparing descriptions rather
// than reading the page.
const patch = (parent, before, after) => {
  after.forEach((next, i) => {
    const node = parent.childNodes[i], last = before[i];
    if (node === undefined) parent.append(create(next, parent.namespaceURI));
    else if (last === undefined || !sameKind(last, next)) node.replaceWith(create(next, parent.namespaceURI));
    else if (typeof next === 'string') {
      if (next !== last) node.data = next;
    } else {
      for (const [key, value] of Object.entries(next.attributes)) {
        if (last.attributes[key] !== value) node.setAttribute(key, value);
      }
      for (const key of Object.keys(last.attributes)) if (!(key in next.attributes)) node.removeAttribute(key);
      patch(node, last.children, next.children);
    }
  });
  while (parent.childNodes.length > after.length) parent.lastChild.remove();
};

// What each parent shows, as the descriptions it was made from.
const shown = new WeakMap();

// Makes parent show the described elements and texts, in its own namespace
// (HTML or SVG).
export const render = (parent, descriptions) => {
  patch(parent, shown.get(parent) ?? [], descriptions);
  shown.set(parent, descriptions);
};

// Walks two trees side by side and sets the texts of the first to those of
// the second; false, leaving the rest unchanged, where their elements differ.
const sameAttributes = (a, b) => a.attributes.length === b.attributes.length
  && Array.prototype.every.call(b.attributes, ({ name, value }) => a.getAttribute(name) === value);
const sameButTexts = (node, model) => {
  let a = node.firstChild, b = model.firstChild;
  for (; a !== null && b !== null; a = a.nextSibling, b = b.nextSibling) {
    if (a.nodeType !== b.nodeType || a.nodeName !== b.nodeName) return false;
    if (a.nodeType === Node.TEXT_NODE) {
      if (a.data !== b.data) a.data = b.data;
    } else if (a.nodeType === Node.ELEMENT_NODE && !(sameAttributes(a, b) && sameButTexts(a, b))) {
      return false;
    }
  }
  return a === b;  // both at the end
};

// Makes parent show the HTML, which comes from the core: where only its
// texts differ from what is shown, only they are set.
export const renderHtml = (parent, html) => {
  if (shown.get(parent) === html) return;
  const template = document.createElement('template');
  template.innerHTML = html;
  if (!sameButTexts(parent, template.content)) parent.replaceChildren(template.content);
  shown.set(parent, html);
};

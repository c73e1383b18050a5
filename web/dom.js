// Updates in place. A keystroke usually changes a few numbers of the page;
// replacing whole blocks would make the browser parse, style and lay out
// every element again, which costs it several times the whole calculation.
// These change only the texts and attributes that differ, and rebuild a
// block only where its elements differ.

// An element as plain data: { name, attributes, children }, where each
// child is a description or a text. Made into nodes only through the DOM's
// own methods, so no text or attribute value is ever read as markup.
export const element = (name, attributes = {}, children = []) => ({ name, attributes, children });

// An element of the page, by the id that web/shell.html gives it.
export const byId = (id) => document.getElementById(id);

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

// The core's HTML cut into tags (odd places) and the texts between them.
const piecesOf = (html) => html.split(/(<[^>]*>)/);

// The text node the browser made of each text piece, or null where they do
// not pair up one to one (as where an entity was decoded).
const textNodesOf = (parent, pieces) => {
  const walker = document.createTreeWalker(parent, NodeFilter.SHOW_TEXT), nodes = [];
  for (let i = 0; i < pieces.length; i += 2) {
    if (pieces[i] === '') continue;
    const node = walker.nextNode();
    if (node === null || node.data !== pieces[i]) return null;
    nodes[i] = node;
  }
  return walker.nextNode() === null ? nodes : null;
};

// Sets the texts that differ, where the tags are all the same and each
// changed text is plain and has a node of its own; false, changing nothing,
// where not.
const setTexts = (last, pieces) => {
  if (last.nodes === null || last.pieces.length !== pieces.length) return false;
  const changed = [];
  for (let i = 0; i < pieces.length; i++) {
    if (pieces[i] === last.pieces[i]) continue;
    // A tag, or a text that would need the parser (an entity, a line end
    // or NUL it would change) or that would add or drop a node.
    if (i % 2 === 1 || pieces[i] === '' || last.pieces[i] === '' || /[&\r\0]/.test(pieces[i])) return false;
    changed.push(i);
  }
  for (const i of changed) last.nodes[i].data = pieces[i];
  return true;
};

const shownHtml = new WeakMap();

// Makes parent show the HTML, which comes from the core. Parsed only where
// its tags change: while a keystroke changes numbers alone, only their
// texts are set.
export const renderHtml = (parent, html) => {
  const last = shownHtml.get(parent), pieces = piecesOf(html);
  if (last !== undefined && setTexts(last, pieces)) {
    last.pieces = pieces;
    return;
  }
  parent.innerHTML = html;
  shownHtml.set(parent, { pieces, nodes: textNodesOf(parent, pieces) });
};

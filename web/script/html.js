// The core's HTML table in its place, parsed only where its tags change:
// while a keystroke changes numbers alone, only their text nodes are set,
// and the browser need not parse, style and lay out the table anew.
// Nothing but the core's own output is ever set as markup.

// The HTML cut into tags (odd places) and the texts between them.
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
// changed text is plain and has a node of its own; false, changing
// nothing, where not.
const setTexts = (last, pieces) => {
  if (last.nodes === null || last.pieces.length !== pieces.length) return false;
  const changed = [];
  for (let i = 0; i < pieces.length; i++) {
    if (pieces[i] === last.pieces[i]) continue;
    // A tag, or a text the parser would change (an entity, a line end, a
    // NUL) or that would add or drop a node.
    if (i % 2 === 1 || pieces[i] === '' || last.pieces[i] === '' || /[&\r\0]/.test(pieces[i])) return false;
    changed.push(i);
  }
  for (const i of changed) last.nodes[i].data = pieces[i];
  return true;
};

const shown = new WeakMap();
export const showHtml = (parent, html) => {
  const last = shown.get(parent), pieces = piecesOf(html);
  if (last !== undefined && last.html === html) return;
  if (last !== undefined && setTexts(last, pieces)) {
    Object.assign(last, { pieces, html });
    return;
  }
  parent.innerHTML = html;
  shown.set(parent, { pieces, html, nodes: textNodesOf(parent, pieces) });
};

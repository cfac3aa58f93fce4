%VIGORFIELD  Mark pixels where three planes differ and plane 2 is rough.
%   V = VIGORFIELD(PLANE0, PLANE1, PLANE2, M, N, W, THRESHOLD) looks at the
%   7-by-7 window centred on every pixel at least 10 rows and 10 columns from
%   each edge and sets that pixel to 0.5 when all three hold:
%     - the three planes are not alike enough (score below THRESHOLD);
%     - PLANE2's histogram lies farther than 0.15 from the normal density
%       fitted to the window's mean and deviation;
%     - PLANE2's deviation in the window is above 2.
%   Every other element, including the 10-pixel border, is 1.
%
%   Inputs
%     PLANE0,
%     PLANE1,
%     PLANE2     three M-by-N image planes, grey levels: every pixel a window
%                reads must lie above -1 and below 256. The windows reach 3
%                pixels from their centres, so the outer 7 rows and columns
%                are never read and may hold anything.
%     M, N       rows and columns of the planes and of V, real numbers
%                truncated toward zero (21.7 counts as 21).
%     W          the weights, a real double array; only W(1:3) are read.
%     THRESHOLD  the lowest score that counts as alike, a real number.
%
%   Output
%     V   M-by-N double, every element exactly 0.5 or 1. When M or N is at
%         most 20 no pixel is evaluated and V is all 1; a negative or NaN M
%         or N gives an empty V (0 rows or 0 columns).
%
%   Details
%     Bin b of a window's 256-bin histogram counts the pixels whose value
%     truncates to b (-0.5 counts in bin 0, 255.9 in bin 255). The three
%     planes' histograms are compared pairwise by cosine similarity, giving
%     T0 (planes 0 and 1), T1 (0 and 2) and T2 (1 and 2), and weighed into
%     the score ((0 + W(1)*T0) + W(2)*T1) + W(3)*T2. The mean and the sample
%     deviation (over 48) of PLANE2's window use the values themselves,
%     fractions included; the fitted density uses 6.28318 for 2*pi. A score
%     equal to THRESHOLD is alike; a NaN THRESHOLD or weight is never alike
%     (so it marks every rough, non-normal window). A deviation of exactly 2,
%     or a constant window, leaves 1.
%
%   Errors (identifier: cause)
%     "func: vigorfield() requires 7 input arguments."  wrong input count
%     "func: vigorfield() requires 1 output argument."   output count not 1
%                                                        (call it with an output)
%     planestat:vigorfield:notRealDouble  a plane or W is not a real, full
%                                         double array
%     planestat:vigorfield:notRealScalar  M, N or THRESHOLD is not one real
%                                         number
%     planestat:vigorfield:tooFewValues   when M and N exceed 20 (some pixel
%                                         is evaluated): a plane holds fewer
%                                         than M*N values or W fewer than 3
%     planestat:vigorfield:badPixel       a pixel that a window reads has no
%                                         bin (NaN, Inf, <= -1 or >= 256); the
%                                         message names the plane, its row and
%                                         column, and the value
%
%   Example
%     P = zeros (21);  P(8:2:14, 8:14) = 200;
%     V = vigorfield (P, P, P, 21, 21, [1 1 1], Inf);
%     V(11,11)   % 0.5: rough, far from normal, and never alike below Inf
%
%   See also ANCHORFIELD, VIGORSHEET, MOODCULL, STILLCULL.

% Help text only: the function itself is the compiled MEX file of the same name.

%!function P = one_window (values)
%! # 21-by-21 plane of zeros whose window about (11, 11) holds VALUES row by row.
%! P = zeros (21);
%! P(8:14, 8:14) = reshape (values, 7, 7)';
%!endfunction

%!function score = window_score (P0, P1, P2, w)
%! # The weighted similarity of the window about (11, 11), in the defined order.
%! planes = {P0(8:14, 8:14), P1(8:14, 8:14), P2(8:14, 8:14)};
%! h = zeros (3, 256);
%! for r = 1:7
%!   for c = 1:7
%!     for p = 1:3
%!       h(p, fix (planes{p}(r,c)) + 1) += 1;
%!     end
%!   end
%! end
%! for p = 1:3
%!   s = 0;
%!   for k = 1:256
%!     s = s + h(p,k) * h(p,k);
%!   end
%!   h(p,:) = h(p,:) / sqrt (s);
%! end
%! t = zeros (1, 3);
%! for k = 1:256
%!   t(1) = t(1) + h(1,k) * h(2,k);
%!   t(2) = t(2) + h(1,k) * h(3,k);
%!   t(3) = t(3) + h(2,k) * h(3,k);
%! end
%! score = ((0 + w(1) * t(1)) + w(2) * t(2)) + w(3) * t(3);
%!endfunction

%!shared two, bell, wide, centre
%! two = one_window (repelem ([78 82 80], [24 24 1]));     # deviation exactly 2
%! bell = one_window (repelem (75:85, [1 2 4 6 7 9 7 6 4 2 1]));  # near normal
%! wide = one_window (repelem ([0 200], [24 25]));         # rough and far from normal
%! centre = @(V) V(11,11);

%!test  # nothing evaluated: all 1, and the planes and weights are not read
%! assert (vigorfield ([], [], [], 20, 500, [], 0), ones (20, 500));
%! assert (vigorfield ([], [], [], 21.9, 20.9, [], 0), ones (21, 20));
%! assert (size (vigorfield ([], [], [], 5, -1, [], 0)), [5 0]);
%! assert (size (vigorfield ([], [], [], NaN, 30, [], 0)), [0 30]);

%!test  # the smallest map: only the centre can change
%! expected = ones (21);
%! expected(11,11) = 0.5;
%! assert (vigorfield (wide, wide, wide, 21, 21, [1 1 1], Inf), expected);
%! assert (vigorfield (wide, wide, wide, 21.5, 21.5, [1 1 1], Inf), expected);

%!test  # each condition on a crafted window
%! w = [1 1 1];
%! assert (centre (vigorfield (wide, wide, wide, 21, 21, w, -Inf)), 1);  # alike
%! assert (centre (vigorfield (bell, bell, bell, 21, 21, w, Inf)), 1);   # near normal
%! assert (centre (vigorfield (two, two, two, 21, 21, w, Inf)), 1);     # deviation 2 is not above 2
%! flat = one_window (80 * ones (1, 49));
%! assert (centre (vigorfield (flat, flat, flat, 21, 21, w, Inf)), 1);
%! assert (centre (vigorfield (wide, wide, wide, 21, 21, w, NaN)), 0.5);
%! assert (centre (vigorfield (wide, wide, wide, 21, 21, [NaN 1 1], -Inf)), 0.5);

%!test  # a score equal to the threshold is alike; one step up it is not
%! P0 = mod (wide * 1.37, 255);
%! P1 = 255 - wide;
%! w = [0.3 0.7 0.1];
%! score = window_score (P0, P1, wide, w);
%! assert (centre (vigorfield (P0, P1, wide, 21, 21, w, score)), 1);
%! assert (centre (vigorfield (P0, P1, wide, 21, 21, w, score + eps (score))), 0.5);

%!test  # the 10-pixel border stays 1; the outer 7 rows and columns are never read
%! rand ("seed", 5);
%! P = floor (rand (40, 33, 3) * 256);
%! V = vigorfield (P(:,:,1), P(:,:,2), P(:,:,3), 40, 33, [1 1 1], Inf);
%! border = true (40, 33);
%! border(11:30, 11:23) = false;
%! assert (all (V(border) == 1));
%! assert (any (V(:) == 0.5));
%! Q = P;
%! Q([1:7, 34:40], :, :) = NaN;
%! Q(:, [1:7, 27:33], :) = -7;
%! assert (vigorfield (Q(:,:,1), Q(:,:,2), Q(:,:,3), 40, 33, [1 1 1], Inf), V);

%!test  # a 512-by-512 three-plane call
%! rand ("seed", 1);
%! P = floor (rand (512, 512, 3) * 256);
%! V = vigorfield (P(:,:,1), P(:,:,2), P(:,:,3), 512, 512, [1 1 1], 2.5);
%! assert (size (V), [512 512]);
%! assert (all (ismember (V(:), [0.5 1])));
%! assert (any (V(:) == 0.5));

%!error <func: vigorfield\(\) requires 7 input arguments\.> vigorfield (1, 2, 3, 4, 5, 6)
%!error <func: vigorfield\(\) requires 7 input arguments\.> x = vigorfield ();
%!error <func: vigorfield\(\) requires 1 output argument\.> vigorfield (1, 1, 1, 1, 1, 1, 1)
%!error <func: vigorfield\(\) requires 1 output argument\.> [a, b] = vigorfield (1, 1, 1, 1, 1, 1, 1);
%!error id=planestat:vigorfield:notRealDouble x = vigorfield (1, 1, sparse (1), 1, 1, 1, 1);
%!error id=planestat:vigorfield:notRealScalar x = vigorfield (1, 1, 1, 1, 1, 1, "a");
%!error <input 1 \(plane 0\) holds 0 values, fewer than the 441 that a map of 21 rows and 21 columns needs> x = vigorfield ([], ones (21), ones (21), 21, 21, [1 1 1], 0);
%!error <input 6 \(weights\) holds 1 values, fewer than the 3 that the similarity weighting needs> x = vigorfield (ones (21), ones (21), ones (21), 21, 21, 1, 0);
%!error <plane 1 \(input 2\) holds Inf at row 8, column 14; pixel values must lie above -1 and below 256> P = ones (21); P(8,14) = Inf; x = vigorfield (ones (21), P, ones (21), 21, 21, [1 1 1], 0);
%!error id=planestat:vigorfield:badPixel P = ones (21); P(14,8) = 256; x = vigorfield (ones (21), ones (21), P, 21, 21, [1 1 1], 0);
%!test  # pixels that no window reads are not checked
%! P = ones (21); P(7,7) = NaN; P(15,15) = 1e9;
%! assert (vigorfield (P, P, P, 21, 21, [1 1 1], 0), ones (21));
